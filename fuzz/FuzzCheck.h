// The check of a fuzz target: a broken property prints what broke and aborts, which libFuzzer
// reports as a crash and saves the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define ZOMA_FUZZ_CHECK(condition)                                                                \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
