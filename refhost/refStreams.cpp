// Streams of the reference host. The memory streams report each operation to
// their hook; all of them count calls made under the library lock.
#include "refhost/refStreams.h"

#include <algorithm>
#include <cstring>

namespace refhost {

namespace {
const hostHook_t noHook;

hostCall_c streamCall(const char* op, int64_t arg0 = 0) { return hostCall_c{op, noObject, arg0, 0, 0}; }
}  // namespace

memoryInStream_c::memoryInStream_c(std::string bytes) : bytes_(std::move(bytes)) {}

uint32_t memoryInStream_c::read(void* buffer, uint32_t n)
{
    enterHostCall(hook_, streamCall("read", n));
    const size_t count = std::min<size_t>(n, bytes_.size() - position_);
    if (count != 0)
        std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return static_cast<uint32_t>(count);
}

uint32_t memoryInStream_c::size()
{
    enterHostCall(hook_, streamCall("size"));
    return static_cast<uint32_t>(bytes_.size());
}

int32_t memoryInStream_c::rewind()
{
    enterHostCall(hook_, streamCall("rewind"));
    position_ = 0;
    return 1;
}

fileInStream_c::fileInStream_c(std::FILE* file) : file_(file) {}

uint32_t fileInStream_c::read(void* buffer, uint32_t n)
{
    enterHostCall(noHook, streamCall("read", n));
    return static_cast<uint32_t>(std::fread(buffer, 1, n, file_));
}

uint32_t fileInStream_c::size()
{
    enterHostCall(noHook, streamCall("size"));
    const long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0)
        return 0;
    const long end = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return end > 0 ? static_cast<uint32_t>(end) : 0;
}

int32_t fileInStream_c::rewind()
{
    enterHostCall(noHook, streamCall("rewind"));
    return std::fseek(file_, 0, SEEK_SET) == 0 ? 1 : 0;
}

int32_t memoryOutStream_c::writeLine(const char* text)
{
    enterHostCall(hook_, streamCall("writeLine"));
    if (text != nullptr)
        text_ += text;
    text_ += '\n';
    return 1;
}

int32_t memoryOutStream_c::write(const char* text)
{
    enterHostCall(hook_, streamCall("write"));
    if (text != nullptr)
        text_ += text;
    return 1;
}

fileOutStream_c::fileOutStream_c(std::FILE* file) : file_(file) {}

int32_t fileOutStream_c::writeLine(const char* text)
{
    enterHostCall(noHook, streamCall("writeLine"));
    const bool ok = (text == nullptr || std::fputs(text, file_) >= 0) && std::fputc('\n', file_) != EOF;
    return ok ? 1 : 0;
}

int32_t fileOutStream_c::write(const char* text)
{
    enterHostCall(noHook, streamCall("write"));
    return text == nullptr || std::fputs(text, file_) >= 0 ? 1 : 0;
}

}  // namespace refhost
