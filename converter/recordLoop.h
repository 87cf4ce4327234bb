#pragma once
// The loop both commands share: inputs in turn, each split into records by
// the command, each record's outcome written in input order, failures told
// on standard error with the input's name, the record number and its title,
// and the exit code from what happened.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "converter/progress.h"
#include "converter/recordOutcome.h"

namespace converter_n {

class recordSink_c {
public:
    recordSink_c(std::ostream& out, progress_c& progress, const std::string& inputName);
    void put(size_t number, const std::string& title, const recordOutcome_c& outcome);
    size_t count() const { return count_; }
    size_t failed() const { return failed_; }

private:
    std::ostream& out_;
    progress_c& progress_;
    const std::string& inputName_;
    size_t count_ = 0;
    size_t failed_ = 0;
};

// Tells a problem on standard error, prefixed with the tool's name.
void tell(const std::string& message);

// splitInput reads one input's records and hands each outcome to the sink.
// Returns exitConverted, exitSomeFailed or exitUsageOrIo.
int runRecords(const std::vector<std::string>& files, std::ostream& out,
               const std::function<void(std::istream&, recordSink_c&)>& splitInput);

}  // namespace converter_n
