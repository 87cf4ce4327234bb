#pragma once
// Marks the timed loop of a benchmark for instruction counting: under
// valgrind --tool=callgrind --instr-atstart=no only these sections are
// instrumented, so that loading and preparing the corpora runs at the
// uninstrumented speed and adds nothing to the counts. Outside valgrind the
// marks cost a few instructions once per benchmark run.

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define TAVR_BENCH_COUNT_START() CALLGRIND_START_INSTRUMENTATION
#define TAVR_BENCH_COUNT_STOP() CALLGRIND_STOP_INSTRUMENTATION
#else
#define TAVR_BENCH_COUNT_START() ((void)0)
#define TAVR_BENCH_COUNT_STOP() ((void)0)
#endif

namespace bench_n {

class countedSection_c {
public:
    countedSection_c() { TAVR_BENCH_COUNT_START(); }
    ~countedSection_c() { TAVR_BENCH_COUNT_STOP(); }
    countedSection_c(const countedSection_c&) = delete;
    countedSection_c& operator=(const countedSection_c&) = delete;
};

}  // namespace bench_n
