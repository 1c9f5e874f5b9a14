#pragma once
#include <cstdio>
#include <cstdlib>

// A failed invariant aborts, so that libFuzzer stops and keeps the input.
#define FUZZ_CHECK(condition)                                                             \
  do {                                                                                    \
    if (!(condition)) {                                                                   \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (false)

// Leaves a function out of libFuzzer's comparison tracing. Only clang
// instruments for libFuzzer; other compilers build the targets for the
// corpus replay test and have nothing to leave out.
#if defined(__clang__)
#define FUZZ_UNTRACED __attribute__((no_sanitize("coverage")))
#else
#define FUZZ_UNTRACED
#endif
