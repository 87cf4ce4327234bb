#include "bench/loadedDriver.h"

#include "driver/libraryLock.h"

namespace bench_n {

const converter_n::driverModule_c& loadedDriver() {
    static const converter_n::driverModule_c module(TAVR_MODULE_PATH);
    return module;
}

void startLinkedParts() {
    static const bool started = [] {
        InChI_n::startModule();
        return true;
    }();
    static_cast<void>(started);
}

}  // namespace bench_n
