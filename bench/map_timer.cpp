// Starts programs in turn under the current X display and measures, for each run, the
// time from process start to its first window being mapped (MapNotify on the root
// window) and the peak resident memory (ru_maxrss) once it has settled. Runs of the
// programs are interleaved so that both see the same machine state; each round prints
// its ratios, so the spread between rounds shows.
//   map_timer <rounds> <runs> <program> <floor-program>
#include <X11/Xlib.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double msToMap = 0;
    long peakKb = 0;
};

bool waitForMap(Display *display, Clock::time_point deadline)
{
    const int fd = ConnectionNumber(display);
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify)
                return true;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval tv{0, 2000};
        select(fd + 1, &fds, nullptr, nullptr, &tv);
    }
    return false;
}

Sample runOnce(Display *display, const char *program)
{
    XSync(display, True); // drop events left from the run before
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDERR_FILENO); // the programs' chatter would bury the table
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    Sample sample;
    if (!waitForMap(display, start + std::chrono::seconds(20))) {
        std::fprintf(stderr, "%s: no window within 20 s\n", program);
        std::exit(1);
    }
    sample.msToMap = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // let it settle
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    sample.peakKb = usage.ru_maxrss;
    return sample;
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Round {
    double msProgram, msFloor, msRatio;
    double mibProgram, mibFloor, memRatio;
};

// One round: `runs` pairs, each pair the program and the floor back to back (the order
// alternating), and the medians of the raw figures and of the per-pair ratios.
Round runRound(Display *display, const char *program, const char *floorProgram, int runs)
{
    const char *programs[2] = {program, floorProgram};
    std::vector<double> ms[2], msRatios, memRatios;
    std::vector<long> kb[2];
    for (int i = 0; i < runs; ++i) {
        Sample pair[2];
        for (int p = 0; p < 2; ++p) {
            const int which = (i % 2) ? 1 - p : p; // alternate who goes first
            pair[which] = runOnce(display, programs[which]);
        }
        for (int p = 0; p < 2; ++p) {
            ms[p].push_back(pair[p].msToMap);
            kb[p].push_back(pair[p].peakKb);
        }
        msRatios.push_back(pair[0].msToMap / pair[1].msToMap);
        memRatios.push_back(static_cast<double>(pair[0].peakKb)
                            / static_cast<double>(pair[1].peakKb));
    }
    return {median(ms[0]),          median(ms[1]),          median(msRatios),
            median(kb[0]) / 1024.0, median(kb[1]) / 1024.0, median(memRatios)};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <rounds> <runs> <program> <floor-program>\n", argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const int runs = std::atoi(argv[2]);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    constexpr double timeTarget = 1.10, memoryTarget = 1.05;
    for (int warm = 0; warm < 2; ++warm)
        for (const char *program : {argv[3], argv[4]})
            runOnce(display, program);
    std::printf("%d rounds of %d interleaved pairs, after 2 warm-up runs each; "
                "ratios are medians of per-pair ratios\n",
                rounds, runs);
    std::printf("round  time to window (ms): program floor ratio   "
                "peak memory (MiB): program floor ratio\n");
    bool within = true;
    for (int r = 1; r <= rounds; ++r) {
        const Round round = runRound(display, argv[3], argv[4], runs);
        std::printf("%5d  %27.1f %5.1f %5.3f   %24.1f %5.1f %5.3f\n", r, round.msProgram,
                    round.msFloor, round.msRatio, round.mibProgram, round.mibFloor, round.memRatio);
        within = within && round.msRatio <= timeTarget && round.memRatio <= memoryTarget;
    }
    std::printf("targets: time <= %.2f, memory <= %.2f: %s\n", timeTarget, memoryTarget,
                within ? "every round within" : "NOT MET");
    XCloseDisplay(display);
    return within ? 0 : 1;
}
