#include "recordingHeap.h"

#include <dlfcn.h>

#include <cstdlib>

#include "host/tavrelcore.h"

namespace containersTest {

void heapLog_c::clear() {
    requested.clear();
    handedOut.clear();
    released.clear();
}

heapLog_c& heapLog() {
    static heapLog_c log;
    return log;
}

namespace {

template <class Fn>
Fn nextDefinition(const char* name) {
    void* symbol = dlsym(RTLD_NEXT, name);
    if (!symbol) std::abort();
    return reinterpret_cast<Fn>(symbol);
}

}  // namespace
}  // namespace containersTest

extern "C" void* TavrNewMemory(size_t byteCount) {
    using fn = void* (*)(size_t);
    static const fn real = containersTest::nextDefinition<fn>("TavrNewMemory");
    void* block = real(byteCount);
    containersTest::heapLog().requested.push_back(byteCount);
    containersTest::heapLog().handedOut.push_back(block);
    return block;
}

extern "C" void TavrDeleteMemory(void* storage) {
    using fn = void (*)(void*);
    static const fn real = containersTest::nextDefinition<fn>("TavrDeleteMemory");
    containersTest::heapLog().released.push_back(storage);
    real(storage);
}
