#include "driver/libraryLock.h"

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

// Its destructor is the module's exit handler. The compiler registers a static
// object's destructor against this module's own handle, so it runs when the
// module is unloaded; a plain atexit() does too under glibc, but sanitizer
// runtimes rebind it to process exit, after the module's code is gone.
class moduleExit_c {
public:
    ~moduleExit_c() { stopModule(); }
};

}  // namespace

void startModule() {
    // A core library that makes no lock object leaves the reference null; every
    // library call then runs unguarded. Its result carries nothing more.
    TavrCreateMutex(&libraryLock());
    static moduleExit_c exitHandler;
}

}  // namespace InChI_n
