#pragma once

#include <cstdio>
#include <cstdlib>

// Aborts with the failed condition, so libFuzzer reports it and saves the input.
#define require(condition)                                                                         \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (line %d)\n", #condition, __LINE__);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
