#include "driver/libraryLock.h"

#include <cstdlib>

#include "host/mutex_c.h"
#include "host/tavrelcore.h"

namespace InChI_n {

mutex_c*& libraryLock() {
    static mutex_c* lock = nullptr;
    return lock;
}

void stopModule() {
    mutex_c*& lock = libraryLock();
    if (lock) {
        lock->release();
        lock = nullptr;
    }
}

namespace {
extern "C" void stopModuleAtExit() { stopModule(); }
}  // namespace

void startModule() {
    // A core library that makes no lock object leaves the reference null; every
    // library call then runs unguarded. Its result carries nothing more.
    TavrCreateMutex(&libraryLock());
    // Registered from inside the module, so it runs when the module is unloaded.
    std::atexit(stopModuleAtExit);
}

}  // namespace InChI_n
