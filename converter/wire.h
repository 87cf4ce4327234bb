#pragma once
// Messages between the tool and its worker processes: a length-prefixed byte
// string over a stream socket, and inside it numbers and texts in a fixed order.
// Numbers travel as 8 bytes in the machine's own order: both ends are the
// same program on the same machine.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace converter_n {

// A socket failed, or a message ended early or held less than its reader takes.
class wireError_c : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class wireWriter_c {
public:
    void number(uint64_t value);
    void text(const std::string& value);
    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

class wireReader_c {
public:
    explicit wireReader_c(const std::string& bytes) : bytes_(bytes) {}
    uint64_t number();
    std::string text();

private:
    void need(uint64_t n) const;
    const std::string& bytes_;
    size_t at_ = 0;
};

// Writes the whole message, retrying short writes and interruptions.
void sendMessage(int fd, const std::string& message);
// The next message; false at a clean end of the stream before a message starts.
bool receiveMessage(int fd, std::string& message);

}  // namespace converter_n
