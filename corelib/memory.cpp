// Heap of the stand-in core library: the C heap, with test controls that make
// allocations fail on demand and count what is handed out. The counters are
// atomics so that concurrent driver calls can allocate without a lock.
#include <atomic>
#include <cstdlib>

#include "corelib/standInControl.h"
#include "host/tavrelcore.h"

namespace {

std::atomic<long> failCountdown{0};
std::atomic<bool> failAll{false};
std::atomic<long> allocationCalls{0};
std::atomic<long> liveBlocks{0};

// True when this call is the one the countdown was aiming at. Only the thread
// that moves the countdown from 1 to 0 sees it, so exactly one call fails.
bool countdownHits()
{
    long left = failCountdown.load(std::memory_order_relaxed);
    while (left > 0) {
        if (failCountdown.compare_exchange_weak(left, left - 1, std::memory_order_relaxed))
            return left == 1;
    }
    return false;
}

}  // namespace

extern "C" {

void* TavrNewMemory(size_t byteCount)
{
    allocationCalls.fetch_add(1, std::memory_order_relaxed);
    if (failAll.load(std::memory_order_relaxed) || countdownHits())
        return nullptr;
    // malloc(0) may answer null, which callers would take for exhaustion.
    void* block = std::malloc(byteCount != 0 ? byteCount : 1);
    if (block != nullptr)
        liveBlocks.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void TavrDeleteMemory(void* storage)
{
    if (storage == nullptr)
        return;
    liveBlocks.fetch_sub(1, std::memory_order_relaxed);
    std::free(storage);
}

__attribute__((visibility("default"))) void TavrStandInFailAllocationAt(long nth)
{
    failCountdown.store(nth > 0 ? nth : 0, std::memory_order_relaxed);
}

__attribute__((visibility("default"))) void TavrStandInFailAllAllocations(int on)
{
    failAll.store(on != 0, std::memory_order_relaxed);
}

__attribute__((visibility("default"))) long TavrStandInAllocationCalls(void)
{
    return allocationCalls.load(std::memory_order_relaxed);
}

__attribute__((visibility("default"))) long TavrStandInLiveBlocks(void)
{
    return liveBlocks.load(std::memory_order_relaxed);
}

}  // extern "C"
