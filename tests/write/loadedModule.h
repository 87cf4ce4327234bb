#pragma once
// The driver module as a host loads it: dlopen on construction, dlclose on
// destruction, the entries found with dlsym.

#include <dlfcn.h>

#include <string>

#include "driver/entries.h"

namespace writeTest_n {

class loadedModule_c {
public:
    loadedModule_c() : handle_(dlopen(TAVR_MODULE_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~loadedModule_c() {
        if (handle_) dlclose(handle_);
    }
    loadedModule_c(const loadedModule_c&) = delete;
    loadedModule_c& operator=(const loadedModule_c&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    static std::string error() {
        const char* text = dlerror();
        return text ? text : "";
    }
    TavrWriteFn write() const { return reinterpret_cast<TavrWriteFn>(dlsym(handle_, "TavrWrite")); }
    TavrReadFn read() const { return reinterpret_cast<TavrReadFn>(dlsym(handle_, "TavrRead")); }

private:
    void* handle_;
};

}  // namespace writeTest_n
