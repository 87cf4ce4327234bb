#pragma once
// Host streams. Results of read, rewind and the writes are not used by the driver.

#include <cstdint>

class inStream_c {
public:
    virtual uint32_t read(void* buffer, uint32_t n) = 0;  // the next n bytes
    virtual uint32_t size() = 0;                          // bytes in the whole stream
    virtual int32_t rewind() = 0;                         // next read starts at byte 0

protected:
    ~inStream_c() = default;
};

class outStream_c {
public:
    virtual int32_t writeLine(const char* text) = 0;  // text, then a line end
    virtual int32_t write(const char* text) = 0;      // text alone

protected:
    ~outStream_c() = default;
};
