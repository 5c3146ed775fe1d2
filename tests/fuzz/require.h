// Stops a fuzz harness at a broken property: libFuzzer reports the abort as a
// crash and saves the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}
