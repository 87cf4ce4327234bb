#include "converter/recordLoop.h"

#include <cstdio>
#include <ostream>

#include "converter/commands.h"
#include "converter/inputFiles.h"

namespace converter_n {

namespace {

// Titles and the symbols in reasons come from the input; control bytes would
// garble the terminal.
std::string printable(const std::string& text, size_t limit = std::string::npos) {
    std::string shown;
    for (unsigned char c : text.substr(0, limit))
        shown += (c >= 0x20 && c < 0x7f) ? char(c) : '?';
    return shown;
}

}  // namespace

void tell(const std::string& message) { std::fprintf(stderr, "tavr-inchi: %s\n", message.c_str()); }

recordSink_c::recordSink_c(std::ostream& out, progress_c& progress, const std::string& inputName)
    : out_(out), progress_(progress), inputName_(inputName) {}

void recordSink_c::put(size_t number, const std::string& title, const recordOutcome_c& outcome) {
    ++count_;
    out_ << outcome.output;
    if (!outcome.converted()) {
        ++failed_;
        progress_.clear();
        tell(inputName_ + ": record " + std::to_string(number) + " \"" + printable(title, 80) +
             "\": " + printable(outcome.failure));
    }
    progress_.recordDone(failed_);
}

int runRecords(const std::vector<std::string>& files, std::ostream& out,
               const std::function<void(std::istream&, recordSink_c&)>& splitInput) {
    progress_c progress(stderr);
    bool someFailed = false;
    bool inputsRead = forEachInput(
        files,
        [&](std::istream& in, const std::string& name) {
            recordSink_c sink(out, progress, name);
            splitInput(in, sink);
            if (sink.count() == 0) {
                progress.clear();
                tell(name + ": no records");
                someFailed = true;
            }
            someFailed = someFailed || sink.failed() > 0;
        },
        [&](const std::string& name, const std::string& reason) {
            progress.clear();
            tell(name + ": " + reason);
        });
    out.flush();
    if (!out) {
        progress.clear();
        tell("cannot write the output");
        return exitUsageOrIo;
    }
    if (!inputsRead)
        return exitUsageOrIo;
    return someFailed ? exitSomeFailed : exitConverted;
}

}  // namespace converter_n
