// Lock objects of the stand-in core library. Each is a std::mutex with
// counters that let tests see how the driver uses it: how often it is taken,
// whether two threads ever met at it, and every misuse (unlock without
// holding, a second lock on the same thread, any use after release, release
// while held). A misused lock never blocks or crashes: the call is counted,
// and what would deadlock or touch a released object is skipped, so a faulty
// driver shows up in the figures instead of hanging the test.
#include <atomic>
#include <mutex>
#include <new>
#include <thread>

#include "corelib/standInControl.h"
#include "host/mutex_c.h"
#include "host/tavrelcore.h"

// Stand-in locks the calling thread holds right now (see standInControl.h).
extern "C" {
__attribute__((visibility("default"))) __thread int TavrStandInLocksHeldHere = 0;
}

namespace {

struct lockCounters_c {
    std::atomic<long> created{0};
    std::atomic<long> released{0};
    std::atomic<long> locks{0};
    std::atomic<long> unlocks{0};
    std::atomic<long> overlaps{0};
    std::atomic<long> misuse{0};
};

lockCounters_c counters;
std::atomic<bool> creationYieldsObject{true};

void bump(std::atomic<long>& counter) { counter.fetch_add(1, std::memory_order_relaxed); }

class standInMutex_c final : public mutex_c {
public:
    void lock() override;
    void unlock() override;
    void release() override;

    // Released objects stay allocated and reachable through this list, so that
    // a use after release is counted instead of touching freed memory.
    standInMutex_c* nextRetired = nullptr;

private:
    void giveUp();
    bool heldHere() const { return owner_.load(std::memory_order_relaxed) == std::this_thread::get_id(); }

    std::mutex mutex_;
    std::atomic<std::thread::id> owner_{};
    std::atomic<bool> released_{false};
};

std::atomic<standInMutex_c*> retired{nullptr};

void standInMutex_c::lock()
{
    bump(counters.locks);
    if (released_.load(std::memory_order_acquire) || heldHere()) {
        bump(counters.misuse);
        return;
    }
    if (!mutex_.try_lock()) {
        bump(counters.overlaps);
        mutex_.lock();
    }
    owner_.store(std::this_thread::get_id(), std::memory_order_relaxed);
    ++TavrStandInLocksHeldHere;
}

void standInMutex_c::giveUp()
{
    owner_.store(std::thread::id(), std::memory_order_relaxed);
    --TavrStandInLocksHeldHere;
    mutex_.unlock();
}

// The holder's unlock after a release still clears its "held" flag, so that a
// misuse does not leave the thread reading as a holder for good.
void standInMutex_c::unlock()
{
    bump(counters.unlocks);
    const bool released = released_.load(std::memory_order_acquire);
    if (released || !heldHere())
        bump(counters.misuse);
    if (heldHere())
        giveUp();
}

void standInMutex_c::release()
{
    if (released_.exchange(true, std::memory_order_acq_rel)) {
        bump(counters.misuse);
        return;
    }
    bump(counters.released);
    if (owner_.load(std::memory_order_relaxed) != std::thread::id())
        bump(counters.misuse);
    if (heldHere())
        giveUp();
    nextRetired = retired.load(std::memory_order_relaxed);
    while (!retired.compare_exchange_weak(nextRetired, this, std::memory_order_release)) {
    }
}

}  // namespace

extern "C" {

int TavrCreateMutex(mutex_c** lock)
{
    if (lock == nullptr)
        return 0;
    if (!creationYieldsObject.load(std::memory_order_relaxed)) {
        *lock = nullptr;
        return 0;
    }
    // Out of memory means no lock object, which the caller must cope with anyway.
    *lock = new (std::nothrow) standInMutex_c;
    if (*lock == nullptr)
        return 0;
    bump(counters.created);
    return 1;
}

__attribute__((visibility("default"))) void TavrStandInSetMutexCreation(int yieldsObject)
{
    creationYieldsObject.store(yieldsObject != 0, std::memory_order_relaxed);
}

__attribute__((visibility("default"))) void TavrStandInLockStatsGet(struct TavrStandInLockStats* stats)
{
    stats->created = counters.created.load(std::memory_order_relaxed);
    stats->released = counters.released.load(std::memory_order_relaxed);
    stats->locks = counters.locks.load(std::memory_order_relaxed);
    stats->unlocks = counters.unlocks.load(std::memory_order_relaxed);
    stats->overlaps = counters.overlaps.load(std::memory_order_relaxed);
    stats->misuse = counters.misuse.load(std::memory_order_relaxed);
}

__attribute__((visibility("default"))) void TavrStandInLockStatsReset(void)
{
    counters.created.store(0, std::memory_order_relaxed);
    counters.released.store(0, std::memory_order_relaxed);
    counters.locks.store(0, std::memory_order_relaxed);
    counters.unlocks.store(0, std::memory_order_relaxed);
    counters.overlaps.store(0, std::memory_order_relaxed);
    counters.misuse.store(0, std::memory_order_relaxed);
}

__attribute__((visibility("default"))) int TavrStandInLockHeldByThisThread(void)
{
    return TavrStandInLocksHeldHere > 0 ? 1 : 0;
}

}  // extern "C"
