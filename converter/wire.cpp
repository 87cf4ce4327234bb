#include "converter/wire.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace converter_n {

namespace {

// MSG_NOSIGNAL: a peer that is gone shows as an error here rather than as a
// SIGPIPE, which the tool keeps for its own output.
void writeAll(int fd, const char* data, size_t n) {
    while (n > 0) {
        const ssize_t written = ::send(fd, data, n, MSG_NOSIGNAL);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw wireError_c(std::string("cannot write to a worker socket: ") + std::strerror(errno));
        }
        data += written;
        n -= size_t(written);
    }
}

// Bytes read before the end of the pipe; fewer than n only at its end.
size_t readAll(int fd, char* data, size_t n) {
    size_t got = 0;
    while (got < n) {
        const ssize_t r = ::read(fd, data + got, n - got);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            throw wireError_c(std::string("cannot read from a worker socket: ") + std::strerror(errno));
        }
        if (r == 0)
            break;
        got += size_t(r);
    }
    return got;
}

}  // namespace

void wireWriter_c::number(uint64_t value) { bytes_.append(reinterpret_cast<const char*>(&value), sizeof value); }

void wireWriter_c::text(const std::string& value) {
    number(value.size());
    bytes_ += value;
}

void wireReader_c::need(uint64_t n) const {
    if (n > bytes_.size() - at_)
        throw wireError_c("a worker message ended early");
}

uint64_t wireReader_c::number() {
    uint64_t value = 0;
    need(sizeof value);
    std::memcpy(&value, bytes_.data() + at_, sizeof value);
    at_ += sizeof value;
    return value;
}

std::string wireReader_c::text() {
    const uint64_t n = number();
    need(n);
    std::string value = bytes_.substr(at_, size_t(n));
    at_ += size_t(n);
    return value;
}

void sendMessage(int fd, const std::string& message) {
    const uint64_t length = message.size();
    writeAll(fd, reinterpret_cast<const char*>(&length), sizeof length);
    writeAll(fd, message.data(), message.size());
}

bool receiveMessage(int fd, std::string& message) {
    uint64_t length = 0;
    const size_t got = readAll(fd, reinterpret_cast<char*>(&length), sizeof length);
    if (got == 0)
        return false;
    if (got < sizeof length)
        throw wireError_c("a worker message ended early");
    message.resize(size_t(length));
    if (readAll(fd, &message[0], message.size()) < message.size())
        throw wireError_c("a worker message ended early");
    return true;
}

}  // namespace converter_n
