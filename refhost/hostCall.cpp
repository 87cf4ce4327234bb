// Entry step shared by every reference-host operation.
#include "refhost/hostCall.h"

#include <atomic>

#include "corelib/standInControl.h"

namespace refhost {

namespace {
std::atomic<uint64_t> callsUnderLock{0};
}

uint64_t lockHeldDuringHostCall() { return callsUnderLock.load(std::memory_order_relaxed); }

void resetLockHeldDuringHostCall() { callsUnderLock.store(0, std::memory_order_relaxed); }

void enterHostCall(const hostHook_t& hook, const hostCall_c& call)
{
    if (TavrStandInLockHeldByThisThread() != 0)
        callsUnderLock.fetch_add(1, std::memory_order_relaxed);
    if (hook)
        hook(call);
}

}  // namespace refhost
