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

void callHook(const hostHook_t& hook, const hostCall_c& call) { hook(call); }

void callHook(const hostHook_t& hook, const char* op, uint32_t object, int64_t arg0, int64_t arg1, double value)
{
    hook(hostCall_c{op, object, arg0, arg1, value});
}

}  // namespace refhost
