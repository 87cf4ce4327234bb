// The count behind lockHeldDuringHostCall, kept by enterHostCall.
#include "refhost/hostCall.h"

#include <atomic>

namespace refhost {

namespace {
std::atomic<uint64_t> callsUnderLock{0};
}

uint64_t lockHeldDuringHostCall() { return callsUnderLock.load(std::memory_order_relaxed); }

void resetLockHeldDuringHostCall() { callsUnderLock.store(0, std::memory_order_relaxed); }

void countCallUnderLock() { callsUnderLock.fetch_add(1, std::memory_order_relaxed); }

}  // namespace refhost
