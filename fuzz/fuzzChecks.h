#pragma once
// What every fuzz target demands besides not crashing: a broken promise is
// reported like a crash, with the promise's text, so that libFuzzer keeps the
// input that broke it.

#include <cstdio>
#include <cstdlib>

namespace fuzz_n {

inline void demand(bool kept, const char* promise) {
    if (kept) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

}  // namespace fuzz_n
