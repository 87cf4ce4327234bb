#pragma once
// An output stream and an attribute set that take no heap at all, so that an
// allocation sweep fails only the driver's allocations and the molecule's, and
// a heap count before and after a call shows the driver alone.

#include <cstdint>
#include <cstring>
#include <string>

#include "host/attributes_c.h"
#include "host/streams.h"

namespace hardening_n {

class heapFreeOutStream_c final : public outStream_c {
public:
    int32_t writeLine(const char* text) override { return put(text, true); }
    int32_t write(const char* text) override { return put(text, false); }
    int calls() const { return calls_; }
    bool overflowed() const { return overflowed_; }
    std::string text() const { return std::string(text_, length_); }

private:
    int32_t put(const char* text, bool lineEnd) {
        ++calls_;
        const size_t n = std::strlen(text);
        if (length_ + n + 1 > sizeof text_) {
            overflowed_ = true;
            return 0;
        }
        std::memcpy(text_ + length_, text, n);
        length_ += n;
        if (lineEnd) text_[length_++] = '\n';
        return 1;
    }

    char text_[64 * 1024];
    size_t length_ = 0;
    int calls_ = 0;
    bool overflowed_ = false;
};

// Keeps the first few declarations; every status reports success.
class heapFreeAttributes_c final : public attributes_c {
public:
    struct call_c {
        char op;  // 'g' openGroup, 'v' setValue, 'p' setProperty
        int32_t key;
        int32_t value;
    };

    uint32_t openGroup(int32_t group) override { return keep({'g', group, 0}); }
    uint32_t setValue(int32_t key, int32_t truth) override { return keep({'v', key, truth}); }
    uint32_t setProperty(int32_t key, int32_t value) override { return keep({'p', key, value}); }

    int count() const { return count_; }
    // The kept calls as text, e.g. "g10 v2561=1".
    std::string text() const {
        std::string text;
        for (int i = 0; i < count_ && i < capacity; ++i) {
            if (i) text += ' ';
            text += calls_[i].op + std::to_string(calls_[i].key);
            if (calls_[i].op != 'g') text += '=' + std::to_string(calls_[i].value);
        }
        return text;
    }

private:
    static constexpr int capacity = 8;
    uint32_t keep(const call_c& call) {
        if (count_ < capacity) calls_[count_] = call;
        ++count_;
        return 1;
    }

    call_c calls_[capacity] = {};
    int count_ = 0;
};

}  // namespace hardening_n
