#pragma once
// The driver module as a host sees it: loaded at run time, reached only
// through its three exported entries, unloaded when the object goes.

#include <stdexcept>
#include <string>

#include "driver/entries.h"

namespace converter_n {

// The module could not be loaded, or lacks an entry.
class moduleError_c : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class driverModule_c {
public:
    explicit driverModule_c(const std::string& path);
    ~driverModule_c();
    driverModule_c(const driverModule_c&) = delete;
    driverModule_c& operator=(const driverModule_c&) = delete;

    TavrReadFn read() const { return read_; }
    TavrWriteFn write() const { return write_; }
    TavrPreWriteFn preWrite() const { return preWrite_; }

    // ../lib/libtavrinchi.so beside the running executable's directory.
    static std::string besideExecutable();

private:
    void* handle_;
    TavrReadFn read_;
    TavrWriteFn write_;
    TavrPreWriteFn preWrite_;
};

}  // namespace converter_n
