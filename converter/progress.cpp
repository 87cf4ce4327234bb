#include "converter/progress.h"

#include <unistd.h>

namespace converter_n {

namespace {
// Runs shorter than this show no progress; after it the line is redrawn at this pace.
constexpr auto quietStart = std::chrono::seconds(1);
constexpr auto redrawPace = std::chrono::milliseconds(250);
}  // namespace

progress_c::progress_c(std::FILE* terminal)
    : terminal_(terminal && isatty(fileno(terminal)) ? terminal : nullptr),
      start_(clock_t::now()),
      shown_(start_) {}

progress_c::~progress_c() { clear(); }

void progress_c::recordDone(size_t failed) {
    ++records_;
    failed_ = failed;
    if (!terminal_)
        return;
    clock_t::time_point now = clock_t::now();
    if (now - start_ < quietStart || now - shown_ < redrawPace)
        return;
    shown_ = now;
    std::fprintf(terminal_, "\rtavr-inchi: %zu records, %zu failed ", records_, failed_);
    std::fflush(terminal_);
    visible_ = true;
}

void progress_c::clear() {
    if (!visible_)
        return;
    std::fprintf(terminal_, "\r\033[K");
    std::fflush(terminal_);
    visible_ = false;
}

}  // namespace converter_n
