// The benchmark's timed build only: start-up marks against the process's creation time.

#include "startup_timing.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Mark {
    double ms;
    std::string what;
};

std::vector<Mark> &marks()
{
    static std::vector<Mark> all;
    return all;
}

ULONGLONG nowIn100ns()
{
    // The precise clock where Windows has it (8 and later, and Wine).
    using Precise = void(WINAPI *)(FILETIME *);
    static const auto precise = reinterpret_cast<Precise>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now;
    if (precise)
        precise(&now);
    else
        GetSystemTimeAsFileTime(&now);
    return (ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

ULONGLONG createdIn100ns()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return (ULONGLONG(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

} // namespace

void startupMark(const char *what)
{
    static const ULONGLONG created = createdIn100ns();
    marks().push_back({double(nowIn100ns() - created) / 10000.0, what});
}

void printStartupMarks()
{
    for (const Mark &mark : marks())
        std::printf("%8.2f %s\n", mark.ms, mark.what.c_str());
    std::fflush(stdout);
}
