// A broken invariant aborts, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(c) \
  ((c) ? void() : (std::fprintf(stderr, "invariant broken: %s\n", #c), std::abort()))
