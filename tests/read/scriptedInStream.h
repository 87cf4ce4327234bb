#pragma once
// An input stream for the intake tests that can break the stream contract on
// purpose: report a size other than its content, deliver fewer bytes than a
// read asks for, or stand somewhere other than at its first byte. It records
// every call it receives.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host/streams.h"

namespace readTest_n {

class scriptedInStream_c final : public inStream_c {
public:
    explicit scriptedInStream_c(std::string bytes)
        : bytes_(std::move(bytes)), reportedSize_(static_cast<uint32_t>(bytes_.size())) {}

    // size() answers this instead of the content's length.
    scriptedInStream_c& reportSize(uint32_t size) {
        reportedSize_ = size;
        return *this;
    }
    // Every read delivers at most this many bytes.
    scriptedInStream_c& deliverAtMost(uint32_t limit) {
        readLimit_ = limit;
        return *this;
    }
    // Reads start from here until the next rewind.
    scriptedInStream_c& standAt(size_t position) {
        position_ = position;
        return *this;
    }

    uint32_t read(void* buffer, uint32_t n) override {
        calls_.push_back("read " + std::to_string(n));
        const size_t left = bytes_.size() - std::min(position_, bytes_.size());
        const size_t count = std::min<size_t>({n, readLimit_, left});
        if (count != 0) std::memcpy(buffer, bytes_.data() + position_, count);
        position_ += count;
        return static_cast<uint32_t>(count);
    }
    uint32_t size() override {
        calls_.push_back("size");
        return reportedSize_;
    }
    int32_t rewind() override {
        calls_.push_back("rewind");
        position_ = 0;
        return 1;
    }

    const std::vector<std::string>& calls() const { return calls_; }

private:
    std::string bytes_;
    uint32_t reportedSize_;
    size_t readLimit_ = SIZE_MAX;
    size_t position_ = 0;
    std::vector<std::string> calls_;
};

}  // namespace readTest_n
