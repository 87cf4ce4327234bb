#include "read/auxInfoIntake.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "host/streams.h"
#include "read/readErrors.h"

namespace InChI_n {
namespace Read_n {

namespace {

constexpr uint32_t headerLength = 6;
constexpr char headerText[] = "InChI=";
constexpr char auxInfoPrefix[] = "AuxInfo=";

// The whole stream as one NUL-terminated text, owned for the length of one
// intake. The storage starts zeroed: a stream that delivers fewer bytes than
// its size promised leaves NULs, never unwritten bytes, after what it gave.
// The size + 1 is taken in the width of size_t, so a size of 0xFFFFFFFF cannot
// wrap to an empty buffer; zeroed storage of that size comes as fresh pages
// from the system, so an inflated size costs address space, not writes.
class streamContent_c {
public:
    explicit streamContent_c(uint32_t size)
        : bytes_(static_cast<char*>(std::calloc(std::size_t{size} + 1, 1))) {
        if (!bytes_) throw std::bad_alloc();
    }
    ~streamContent_c() { std::free(bytes_); }
    streamContent_c(const streamContent_c&) = delete;
    streamContent_c& operator=(const streamContent_c&) = delete;

    char* bytes() const { return bytes_; }

private:
    char* bytes_;
};

// The first six bytes, read from where the stream stands, compared as a C text:
// a NUL among them ends the text early and fails the test.
bool startsWithHeader(inStream_c& stream) {
    char header[headerLength + 1] = {};
    stream.read(header, headerLength);
    header[headerLength] = '\0';
    return string_c(header).equals(string_c(headerText));
}

}  // namespace

string_c readAuxInfo(inStream_c& stream) {
    string_c result;
    const uint32_t size = stream.size();
    // Streams shorter than 7 bytes cannot hold a header and an AuxInfo text;
    // they are not looked at and end as badData below.
    if (size > headerLength) {
        if (!startsWithHeader(stream)) throw badHeader();
        streamContent_c content(size);
        stream.rewind();
        stream.read(content.bytes(), size);
        content.bytes()[size] = '\0';
        if (const char* found = std::strstr(content.bytes(), auxInfoPrefix))
            result.assign(found, static_cast<uint32_t>(std::strlen(found)));
    }
    if (result.length() == 0) throw badData();
    return result;
}

}  // namespace Read_n
}  // namespace InChI_n
