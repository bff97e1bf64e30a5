#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of a fuzz target: when it fails the input is a finding, so stop at once (libFuzzer
// saves the input that did it; a replay fails its test).
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
