// Starts programs in turn under the current X display and measures, for each run, the
// time from process start to its first window being mapped (MapNotify on the root
// window) and the peak resident memory (ru_maxrss) once it has settled. Runs of the
// programs are interleaved so that both see the same machine state; each round prints
// its ratios, so the spread between rounds shows.
//   map_timer [--time-target <ratio>] <rounds> <runs> <program> <floor-program>
//             [<controls-floor> <plain-program>]
// The target is program/floor time in every round (default 1.10). Under Wine two more
// programs are timed against the same floor: the floor with the program's controls,
// and a plain window below it.
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
    std::vector<double> ms, mib;             // medians per program
    std::vector<double> msRatios, memRatios; // medians of per-run ratios to the floor
};

// One round: `runs` turns, each turn every program once back to back (the order
// rotating), then the medians of the raw figures and of the per-turn ratios of each
// program to the floor, the second in the list.
Round runRound(Display *display, const std::vector<const char *> &programs, int runs)
{
    const std::size_t n = programs.size();
    std::vector<std::vector<double>> ms(n), msRatios(n), memRatios(n);
    std::vector<std::vector<long>> kb(n);
    for (int i = 0; i < runs; ++i) {
        std::vector<Sample> turn(n);
        for (std::size_t p = 0; p < n; ++p) {
            const std::size_t which = (p + static_cast<std::size_t>(i)) % n;
            turn[which] = runOnce(display, programs[which]);
        }
        for (std::size_t p = 0; p < n; ++p) {
            ms[p].push_back(turn[p].msToMap);
            kb[p].push_back(turn[p].peakKb);
        }
        for (std::size_t p = 0; p < n; ++p) {
            msRatios[p].push_back(turn[p].msToMap / turn[1].msToMap);
            memRatios[p].push_back(static_cast<double>(turn[p].peakKb)
                                   / static_cast<double>(turn[1].peakKb));
        }
    }
    Round round;
    for (std::size_t p = 0; p < n; ++p) {
        round.ms.push_back(median(ms[p]));
        round.mib.push_back(median(kb[p]) / 1024.0);
    }
    for (std::size_t p = 0; p < n; ++p) {
        round.msRatios.push_back(median(msRatios[p]));
        round.memRatios.push_back(median(memRatios[p]));
    }
    return round;
}

} // namespace

int main(int argc, char *argv[])
{
    double timeTarget = 1.10;
    if (argc > 2 && std::string(argv[1]) == "--time-target") {
        timeTarget = std::atof(argv[2]);
        argv[2] = argv[0];
        argv += 2;
        argc -= 2;
    }
    if (argc != 5 && argc != 7) {
        std::fprintf(stderr,
                     "usage: %s [--time-target <ratio>] <rounds> <runs> <program> "
                     "<floor-program> [<controls-floor> <plain-program>]\n",
                     argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const int runs = std::atoi(argv[2]);
    const std::vector<const char *> programs(argv + 3, argv + argc);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    constexpr double memoryTarget = 1.05;
    for (int warm = 0; warm < 2; ++warm)
        for (const char *program : programs)
            runOnce(display, program);
    std::printf("%d rounds of %d interleaved turns, after 2 warm-up runs each; "
                "ratios are medians of per-turn ratios\n",
                rounds, runs);
    // With the two programs more (under Wine) only the times count: the memory of a
    // Wine process says little about the program.
    const bool withPlain = programs.size() == 4;
    if (withPlain)
        std::printf("round  time to window (ms): program floor controls plain   "
                    "÷ floor: program controls plain\n");
    else
        std::printf("round  time to window (ms): program floor ratio   "
                    "peak memory (MiB): program floor ratio\n");
    bool within = true;
    for (int r = 1; r <= rounds; ++r) {
        const Round round = runRound(display, programs, runs);
        if (withPlain) {
            std::printf("%5d  %27.1f %5.1f %8.1f %5.1f   %17.3f %8.3f %5.3f\n", r, round.ms[0],
                        round.ms[1], round.ms[2], round.ms[3], round.msRatios[0], round.msRatios[2],
                        round.msRatios[3]);
            within = within && round.msRatios[0] <= timeTarget;
        } else {
            std::printf("%5d  %27.1f %5.1f %5.3f   %24.1f %5.1f %5.3f\n", r, round.ms[0],
                        round.ms[1], round.msRatios[0], round.mib[0], round.mib[1],
                        round.memRatios[0]);
            within =
                within && round.msRatios[0] <= timeTarget && round.memRatios[0] <= memoryTarget;
        }
        std::fflush(stdout);
    }
    if (withPlain)
        std::printf("target: program/floor time <= %.2f: %s\n", timeTarget,
                    within ? "every round within" : "NOT MET");
    else
        std::printf("targets: time <= %.2f, memory <= %.2f: %s\n", timeTarget, memoryTarget,
                    within ? "every round within" : "NOT MET");
    XCloseDisplay(display);
    return within ? 0 : 1;
}
