#pragma once
// A violated property stops the run like a crash, so libFuzzer keeps the input that broke
// it; the message says which property it was.

#include <cstdio>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "property violated: %s at %s:%d\n", #condition, __FILE__, \
                         __LINE__);                                                        \
            __builtin_trap();                                                              \
        }                                                                                  \
    } while (false)
