#pragma once
// A progress line on standard error for long runs, shown only when standard
// error is a terminal: a count of records, redrawn at most a few times a
// second, that a message or the end of the run wipes.

#include <chrono>
#include <cstddef>
#include <cstdio>

namespace converter_n {

class progress_c {
public:
    explicit progress_c(std::FILE* terminal);
    ~progress_c();
    progress_c(const progress_c&) = delete;
    progress_c& operator=(const progress_c&) = delete;

    void recordDone(size_t failed);
    // Wipes the line so that a message can take its place.
    void clear();

private:
    using clock_t = std::chrono::steady_clock;
    std::FILE* terminal_;  // null when standard error is no terminal
    clock_t::time_point start_;
    clock_t::time_point shown_;
    size_t records_ = 0;
    size_t failed_ = 0;
    bool visible_ = false;
};

}  // namespace converter_n
