#include "converter/driverModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace converter_n {

namespace {

void* openModule(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        throw moduleError_c("cannot load the driver module " + path + ": " + (reason ? reason : "unknown reason"));
    }
    return handle;
}

// An entry the module must export. Every one is looked up before any is
// missed, so that the message names all that are absent.
void* entry(void* handle, const char* name, std::string& missing) {
    dlerror();
    void* symbol = dlsym(handle, name);
    if (!symbol)
        missing += missing.empty() ? name : std::string(", ") + name;
    return symbol;
}

}  // namespace

driverModule_c::driverModule_c(const std::string& path) : handle_(openModule(path)) {
    std::string missing;
    read_ = reinterpret_cast<TavrReadFn>(entry(handle_, "TavrRead", missing));
    write_ = reinterpret_cast<TavrWriteFn>(entry(handle_, "TavrWrite", missing));
    preWrite_ = reinterpret_cast<TavrPreWriteFn>(entry(handle_, "TavrPreWrite", missing));
    if (!missing.empty()) {
        dlclose(handle_);
        bool several = missing.find(',') != std::string::npos;
        throw moduleError_c("the driver module " + path + " lacks the " + (several ? "entries " : "entry ") + missing);
    }
}

driverModule_c::~driverModule_c() { dlclose(handle_); }

std::string driverModule_c::besideExecutable() {
    std::vector<char> buffer(4096);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        throw moduleError_c("cannot find the running executable (/proc/self/exe); give --module PATH");
    std::string exe(buffer.data(), size_t(n));
    std::string dir = exe.substr(0, exe.rfind('/'));
    return dir + "/../lib/libtavrinchi.so";
}

}  // namespace converter_n
