#include "converter/parallelRecords.h"

#include "converter/commands.h"
#include "converter/recordCodec.h"

namespace converter_n {

int runInWorkers(unsigned jobs, const workerPool_c::work_t& work, const std::function<int(workerPool_c&)>& body) {
    try {
        workerPool_c pool(jobs, work);
        return body(pool);
    } catch (const workerPoolError_c& error) {
        tell(error.what());
        return exitUsageOrIo;
    }
}

void submitRecord(workerPool_c& pool, recordSink_c& sink, size_t number, const std::string& title,
                  std::string request) {
    pool.submit(std::move(request), [&sink, number, title](const std::string& reply) {
        sink.put(number, title, decodeOutcome(reply));
    });
}

}  // namespace converter_n
