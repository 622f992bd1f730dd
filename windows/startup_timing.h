#pragma once

// Marks of where the program's start-up goes, for the benchmark's timed build
// (REBAR_STARTUP_TIMING, bench/startup-windows.sh); in every other build, the program
// as shipped among them, they are nothing.
#ifdef REBAR_STARTUP_TIMING
/// Notes the time since the process was created, under `what`.
void startupMark(const char *what);
/// Writes the marks to standard output, one a line: milliseconds and what.
void printStartupMarks();
#else
inline void startupMark(const char *) {}
inline void printStartupMarks() {}
#endif
