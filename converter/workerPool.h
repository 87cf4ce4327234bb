#pragma once
// Worker processes for the record loop. The InChI driver serialises the InChI
// library inside one process, so the tool runs the records' conversions in
// forked copies of itself: the parent hands out requests in batches over
// socket pairs, takes the replies back, and runs each request's completion in
// the order the requests were submitted. A worker has one batch at a time,
// which it reads whole before it answers, so neither side can block the other
// for good. Memory stays bounded: submit waits while too many requests, or
// too many bytes of them, are under way.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace converter_n {

// A worker could not be started, ended without answering, or its socket failed.
class workerPoolError_c : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class workerPool_c {
public:
    // Runs in a worker: one request in, its reply out. An exception ends the worker.
    using work_t = std::function<std::string(const std::string& request)>;
    // Runs in this process with the reply, in submission order.
    using done_t = std::function<void(const std::string& reply)>;

    workerPool_c(unsigned workers, work_t work);
    // Closes the sockets, which ends the workers, and waits for each of them.
    ~workerPool_c();
    workerPool_c(const workerPool_c&) = delete;
    workerPool_c& operator=(const workerPool_c&) = delete;

    void submit(std::string request, done_t done);
    // Returns once every submitted request's done has run.
    void finish();

private:
    struct worker_c {
        pid_t pid = -1;
        int socket = -1;
        std::vector<uint64_t> batch;  // sequence numbers handed out and not answered
    };
    struct pending_c {
        std::string request;  // emptied once handed out
        size_t bytes = 0;     // of the request, counted while it is under way
        done_t done;
        std::string reply;
        bool answered = false;
    };

    void start(unsigned workers);
    void stop();
    void dispatch();
    void collect();
    void takeReadyAnswers();
    bool precedingBatchUnderWay() const;
    void receive(worker_c& worker);
    void runAnswered();
    bool tooMuchUnderWay() const;

    work_t work_;
    std::vector<worker_c> workers_;
    std::map<uint64_t, pending_c> underWay_;  // submitted, done not run yet
    std::deque<uint64_t> waiting_;            // submitted, not handed out
    uint64_t nextSequence_ = 0;
    size_t bytesUnderWay_ = 0;
    std::string workerEnded_;        // how a worker ended, once one has; empty before
    uint64_t endedBatchStart_ = 0;   // the first record of the batch it left unanswered
};

// The processors this process may run on.
unsigned availableProcessors();

}  // namespace converter_n
