#pragma once

#include <cstdio>
#include <cstdlib>

/// Ends the program at a case no correct caller can make (a control Form1 does not
/// have, a row the table does not have): writes what happened to standard error and
/// aborts. The core's one way out of such a case, the same on every build, with C++
/// exceptions or without them (the WebAssembly build has none).
[[noreturn]] inline void impossible(const char *what)
{
    std::fprintf(stderr, "rebar-weight: impossible case: %s\n", what);
    std::fflush(stderr);
    std::abort();
}
