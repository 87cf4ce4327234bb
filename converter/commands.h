#pragma once
// The tool's two commands. Each takes its records one at a time through a
// pure step (record text in, output text and failure out) and puts the
// outcomes on the output in input order.

#include <iosfwd>
#include <string>
#include <vector>

#include "converter/recordOutcome.h"

namespace molfile_n {
struct sdRecord_c;
}

namespace converter_n {

class driverModule_c;
struct inchiRecord_c;

// Exit codes.
constexpr int exitConverted = 0;
constexpr int exitSomeFailed = 1;
constexpr int exitUsageOrIo = 2;

struct writeSettings_c {
    std::string options;  // handed to TavrWrite unchanged
    bool key = false;
    bool tabbed = false;
};

// One SD record to its InChI output (or its placeholder) and failure.
recordOutcome_c writeRecord(const driverModule_c& driver, const writeSettings_c& settings,
                            const molfile_n::sdRecord_c& record);
// jobs: the number of worker processes; 1 converts in this process.
int runWrite(const driverModule_c& driver, const writeSettings_c& settings, const std::vector<std::string>& files,
             std::ostream& out, unsigned jobs);

// One InChI record to its SD record (or an empty one) and failure.
recordOutcome_c readRecord(const driverModule_c& driver, const inchiRecord_c& record);
int runRead(const driverModule_c& driver, const std::vector<std::string>& files, std::ostream& out, unsigned jobs);

}  // namespace converter_n
