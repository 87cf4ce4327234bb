#pragma once
// What tests see of the driver's calls into the reference host: every host
// operation reports itself to an optional hook before it does its work. A hook
// may record the call (call-order tests) or throw (host failure tests).

#include <cstdint>
#include <functional>

#include "corelib/standInControl.h"

namespace refhost {

struct hostCall_c {
    const char* op;   // the operation's name as in the host interface, e.g. "atomAt"
    uint32_t object;  // index of the atom/bond/group asked; noObject for molecule, streams, attributes
    int64_t arg0;     // first integer argument (index, kind, code, key, group ...), 0 when none
    int64_t arg1;     // second integer argument (count, value, truth ...), 0 when none
    double value;     // floating-point argument of setX/setY/setZ, 0 otherwise
};

constexpr uint32_t noObject = 0xFFFFFFFFu;

using hostHook_t = std::function<void(const hostCall_c&)>;

// Number of host operations, over the whole process, that were entered while
// the calling thread held the library lock of the stand-in core library.
uint64_t lockHeldDuringHostCall();
void resetLockHeldDuringHostCall();

// The slow path of enterHostCall: one more call entered under the lock.
void countCallUnderLock();

// The entry step of every reference-host operation: counts the call when this
// thread holds the library lock, then reports it to the hook, if one is set.
// The hook runs last, so a throwing hook still leaves the call counted.
// Inline, since every host call the driver makes runs it: without a hook and
// outside the lock it costs one test of the lock and one of the hook.
inline void enterHostCall(const hostHook_t& hook, const hostCall_c& call)
{
    if (TavrStandInLocksHeldHere > 0)
        countCallUnderLock();
    if (hook)
        hook(call);
}

}  // namespace refhost
