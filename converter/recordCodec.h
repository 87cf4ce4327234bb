#pragma once
// Records and outcomes as the messages that carry them to and from the
// worker processes (workerPool.h); decoding gives back every field.

#include <string>

#include "converter/inchiRecords.h"
#include "converter/molfile.h"
#include "converter/recordOutcome.h"

namespace converter_n {

std::string encodeSdRecord(const molfile_n::sdRecord_c& record);
molfile_n::sdRecord_c decodeSdRecord(const std::string& message);

std::string encodeInchiRecord(const inchiRecord_c& record);
inchiRecord_c decodeInchiRecord(const std::string& message);

std::string encodeOutcome(const recordOutcome_c& outcome);
recordOutcome_c decodeOutcome(const std::string& message);

}  // namespace converter_n
