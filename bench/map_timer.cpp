// Starts programs in turn under the current X display and measures, for each run, the
// time from process start to its first window being mapped (MapNotify on the root
// window) and the peak resident memory (ru_maxrss) once it has settled. Runs of the
// programs are interleaved so that both see the same machine state.
//   map_timer <runs> <program-a> <program-b>
#include <X11/Xlib.h>

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

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <runs> <program> <floor-program>\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    const char *programs[2] = {argv[2], argv[3]};
    std::vector<double> ms[2];
    std::vector<long> kb[2];
    for (int warm = 0; warm < 2; ++warm)
        for (const char *program : programs)
            runOnce(display, program);
    for (int i = 0; i < runs; ++i) {
        for (int p = 0; p < 2; ++p) {
            const int which = (i % 2) ? 1 - p : p; // alternate who goes first
            const Sample s = runOnce(display, programs[which]);
            ms[which].push_back(s.msToMap);
            kb[which].push_back(s.peakKb);
        }
    }
    const double msProgram = median(ms[0]), msFloor = median(ms[1]);
    const long kbProgram = median(kb[0]), kbFloor = median(kb[1]);
    std::printf("runs each:            %d (interleaved, after 2 warm-up runs)\n", runs);
    std::printf("time to window (ms):  program %.1f   floor %.1f   ratio %.3f  (target <= 1.25)\n",
                msProgram, msFloor, msProgram / msFloor);
    std::printf("peak memory (MiB):    program %.1f   floor %.1f   ratio %.3f  (target <= 1.15)\n",
                kbProgram / 1024.0, kbFloor / 1024.0,
                static_cast<double>(kbProgram) / static_cast<double>(kbFloor));
    XCloseDisplay(display);
    return 0;
}
