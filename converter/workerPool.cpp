#include "converter/workerPool.h"

#include <sched.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "converter/wire.h"

namespace converter_n {

namespace {

// A batch is a few records, enough that the round trip through the parent is
// small against their conversion; under way are a few batches per worker.
constexpr size_t batchRecords = 16;
constexpr size_t batchBytes = size_t(1) << 20;
constexpr size_t recordsPerWorker = 4 * batchRecords;
constexpr size_t maxBytesUnderWay = size_t(64) << 20;

[[noreturn]] void serve(int socket, const workerPool_c::work_t& work) {
    int status = 0;
    try {
        std::string message;
        while (receiveMessage(socket, message)) {
            wireReader_c batch(message);
            const uint64_t count = batch.number();
            wireWriter_c replies;
            replies.number(count);
            for (uint64_t i = 0; i < count; ++i)
                replies.text(work(batch.text()));
            sendMessage(socket, replies.bytes());
        }
    } catch (...) {
        status = 3;
    }
    // Nothing of the parent's (buffered output, exit handlers) may run here.
    _exit(status);
}

std::string endedHow(int status) {
    if (WIFSIGNALED(status))
        return "was ended by signal " + std::to_string(WTERMSIG(status));
    if (WIFEXITED(status))
        return "exited with status " + std::to_string(WEXITSTATUS(status));
    return "stopped";
}

int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

unsigned availableProcessors() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return unsigned(CPU_COUNT(&set));
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? unsigned(online) : 1;
}

workerPool_c::workerPool_c(unsigned workers, work_t work) : work_(std::move(work)) {
    try {
        start(workers);
    } catch (...) {
        stop();
        throw;
    }
}

workerPool_c::~workerPool_c() { stop(); }

void workerPool_c::start(unsigned workers) {
    for (unsigned k = 0; k < workers; ++k) {
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            throw workerPoolError_c(std::string("cannot start a worker process: ") + std::strerror(errno));
        const pid_t pid = fork();
        if (pid < 0) {
            const int error = errno;
            close(ends[0]);
            close(ends[1]);
            throw workerPoolError_c(std::string("cannot start a worker process: ") + std::strerror(error));
        }
        if (pid == 0) {
            // A worker that kept another worker's socket open would keep that
            // worker from seeing the end of its requests.
            close(ends[0]);
            for (const worker_c& other : workers_)
                close(other.socket);
            serve(ends[1], work_);
        }
        close(ends[1]);
        worker_c worker;
        worker.pid = pid;
        worker.socket = ends[0];
        workers_.push_back(worker);
    }
}

void workerPool_c::stop() {
    for (worker_c& worker : workers_) {
        if (worker.socket >= 0)
            close(worker.socket);
        worker.socket = -1;
    }
    for (worker_c& worker : workers_) {
        if (worker.pid > 0)
            waitFor(worker.pid);
        worker.pid = -1;
    }
}

void workerPool_c::submit(std::string request, done_t done) {
    const uint64_t sequence = nextSequence_++;
    bytesUnderWay_ += request.size();
    pending_c pending;
    pending.bytes = request.size();
    pending.request = std::move(request);
    pending.done = std::move(done);
    underWay_.emplace(sequence, std::move(pending));
    waiting_.push_back(sequence);
    dispatch();
    while (tooMuchUnderWay()) {
        collect();
        runAnswered();
        dispatch();
    }
}

void workerPool_c::finish() {
    runAnswered();
    while (!underWay_.empty()) {
        dispatch();
        collect();
        runAnswered();
    }
}

bool workerPool_c::tooMuchUnderWay() const {
    if (underWay_.size() > workers_.size() * recordsPerWorker)
        return true;
    return underWay_.size() > 1 && bytesUnderWay_ > maxBytesUnderWay;
}

// Every idle worker gets the oldest waiting requests as one batch.
void workerPool_c::dispatch() {
    for (worker_c& worker : workers_) {
        if (waiting_.empty())
            return;
        if (!worker.batch.empty())
            continue;
        size_t bytes = 0;
        while (!waiting_.empty() && worker.batch.size() < batchRecords && bytes < batchBytes) {
            bytes += underWay_.at(waiting_.front()).request.size();
            worker.batch.push_back(waiting_.front());
            waiting_.pop_front();
        }
        wireWriter_c batch;
        batch.number(worker.batch.size());
        for (uint64_t sequence : worker.batch) {
            pending_c& pending = underWay_.at(sequence);
            batch.text(pending.request);
            pending.request = std::string();
        }
        try {
            sendMessage(worker.socket, batch.bytes());
        } catch (const wireError_c& error) {
            throw workerPoolError_c(std::string("a worker process stopped taking records: ") + error.what());
        }
    }
}

// Waits until some worker with a batch answers, and takes every answer ready.
// When a worker has ended, the records before its batch still go out: the
// other workers' batches that precede it are waited for and every answered
// record is handed on before the run ends with the worker's fate.
void workerPool_c::collect() {
    takeReadyAnswers();
    if (workerEnded_.empty())
        return;
    while (precedingBatchUnderWay())
        takeReadyAnswers();
    runAnswered();
    throw workerPoolError_c(workerEnded_);
}

bool workerPool_c::precedingBatchUnderWay() const {
    for (const worker_c& worker : workers_) {
        if (worker.socket >= 0 && !worker.batch.empty() && worker.batch.front() < endedBatchStart_)
            return true;
    }
    return false;
}

void workerPool_c::takeReadyAnswers() {
    std::vector<pollfd> watched;
    std::vector<worker_c*> busy;
    for (worker_c& worker : workers_) {
        if (worker.batch.empty() || worker.socket < 0)
            continue;
        watched.push_back(pollfd{worker.socket, POLLIN, 0});
        busy.push_back(&worker);
    }
    if (watched.empty())
        return;
    while (poll(watched.data(), watched.size(), -1) < 0) {
        if (errno != EINTR)
            throw workerPoolError_c(std::string("cannot wait for the worker processes: ") + std::strerror(errno));
    }
    for (size_t i = 0; i < watched.size(); ++i) {
        if (watched[i].revents != 0)
            receive(*busy[i]);
    }
}

void workerPool_c::receive(worker_c& worker) {
    std::string message;
    bool answered = false;
    try {
        answered = receiveMessage(worker.socket, message);
    } catch (const wireError_c&) {
        answered = false;
    }
    if (!answered) {
        close(worker.socket);
        worker.socket = -1;
        const int status = waitFor(worker.pid);
        worker.pid = -1;
        // The first batch to go unanswered is the one the run stops before.
        if (workerEnded_.empty() || worker.batch.front() < endedBatchStart_) {
            workerEnded_ = "a worker process " + endedHow(status) + " while converting records";
            endedBatchStart_ = worker.batch.front();
        }
        return;
    }
    try {
        wireReader_c replies(message);
        if (replies.number() != worker.batch.size())
            throw wireError_c("a worker answered a different number of records");
        for (uint64_t sequence : worker.batch) {
            pending_c& pending = underWay_.at(sequence);
            pending.reply = replies.text();
            pending.answered = true;
        }
    } catch (const wireError_c& error) {
        throw workerPoolError_c(error.what());
    }
    worker.batch.clear();
}

// The done of every answered request that no unanswered one precedes.
void workerPool_c::runAnswered() {
    while (!underWay_.empty() && underWay_.begin()->second.answered) {
        pending_c pending = std::move(underWay_.begin()->second);
        underWay_.erase(underWay_.begin());
        bytesUnderWay_ -= pending.bytes;
        pending.done(pending.reply);
    }
}

}  // namespace converter_n
