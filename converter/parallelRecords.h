#pragma once
// The record loop with the conversions in worker processes: records are still
// split and their outcomes still put on the output, with their failure
// messages, by this process, in input order, so the output, the messages and
// the exit status are those of a run in one process.

#include <cstddef>
#include <functional>
#include <string>

#include "converter/recordLoop.h"
#include "converter/workerPool.h"

namespace converter_n {

// Starts the workers, each converting a request by work, and runs body with
// them. A worker that cannot be started or fails is told on standard error
// and ends the run with exitUsageOrIo.
int runInWorkers(unsigned jobs, const workerPool_c::work_t& work, const std::function<int(workerPool_c&)>& body);

// Hands one encoded record to the workers; its outcome goes to the sink once
// every earlier record's has.
void submitRecord(workerPool_c& pool, recordSink_c& sink, size_t number, const std::string& title,
                  std::string request);

}  // namespace converter_n
