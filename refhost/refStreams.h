#pragma once
// Reference host streams: in memory and on files.

#include <cstdint>
#include <cstdio>
#include <string>

#include "host/streams.h"
#include "refhost/hostCall.h"

namespace refhost {

class memoryInStream_c final : public inStream_c {
public:
    explicit memoryInStream_c(std::string bytes);
    uint32_t read(void* buffer, uint32_t n) override;  // fewer bytes at the end of the stream
    uint32_t size() override;
    int32_t rewind() override;
    void setHook(hostHook_t hook) { hook_ = std::move(hook); }

private:
    std::string bytes_;
    size_t position_ = 0;
    hostHook_t hook_;
};

class fileInStream_c final : public inStream_c {
public:
    explicit fileInStream_c(std::FILE* file);  // not owned; must be seekable
    uint32_t read(void* buffer, uint32_t n) override;
    uint32_t size() override;
    int32_t rewind() override;

private:
    std::FILE* file_;
};

class memoryOutStream_c final : public outStream_c {
public:
    int32_t writeLine(const char* text) override;  // text, then "\n"
    int32_t write(const char* text) override;
    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }
    void setHook(hostHook_t hook) { hook_ = std::move(hook); }

private:
    std::string text_;
    hostHook_t hook_;
};

class fileOutStream_c final : public outStream_c {
public:
    explicit fileOutStream_c(std::FILE* file);  // not owned
    int32_t writeLine(const char* text) override;
    int32_t write(const char* text) override;

private:
    std::FILE* file_;
};

}  // namespace refhost
