#include "failingHeap.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace writeTest_n {

namespace {
std::atomic<long> failCountdown{0};
std::atomic<long> liveBlocks{0};
}  // namespace

void failHeapAllocationAt(long nth) { failCountdown = nth; }
bool heapFailurePending() { return failCountdown.load() > 0; }
long liveHeapBlocks() { return liveBlocks.load(); }

bool heapReplacementActive() {
    failHeapAllocationAt(1);
    bool failed = false;
    try {
        ::operator delete(::operator new(1));
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    failHeapAllocationAt(0);
    return failed;
}

}  // namespace writeTest_n

// Sanitizer runtimes bring their own operator new and delete; there the
// switch stays unused and heapReplacementActive() tells the tests so.
#ifndef TAVR_KEEP_TOOL_HEAP

namespace {

void* allocate(std::size_t size) {
    long armed = writeTest_n::failCountdown.load();
    while (armed > 0 && !writeTest_n::failCountdown.compare_exchange_weak(armed, armed - 1)) {
    }
    if (armed == 1) throw std::bad_alloc();
    void* block = std::malloc(size != 0 ? size : 1);
    if (!block) throw std::bad_alloc();
    writeTest_n::liveBlocks.fetch_add(1);
    return block;
}

void release(void* block) noexcept {
    if (!block) return;
    writeTest_n::liveBlocks.fetch_sub(1);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }

#endif
