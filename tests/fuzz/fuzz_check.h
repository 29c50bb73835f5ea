#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant aborts, so that libFuzzer saves the input as a crash.
inline void fuzz_check(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}
