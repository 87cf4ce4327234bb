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

// The slow paths of enterHostCall, out of line so that an operation without
// a hook keeps no frame for them: one more call entered under the lock, and
// the hook's turn.
void countCallUnderLock();
[[gnu::cold]] void callHook(const hostHook_t& hook, const hostCall_c& call);
[[gnu::cold]] void callHook(const hostHook_t& hook, const char* op, uint32_t object, int64_t arg0, int64_t arg1,
                            double value);

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
        callHook(hook, call);
}

// The same, with the record of the call made only when a hook is there to
// see it: the molecule's operations, which the driver calls dozens of times
// per atom, then cost no more than the two tests.
inline void enterHostCall(const hostHook_t& hook, const char* op, uint32_t object, int64_t arg0 = 0,
                          int64_t arg1 = 0, double value = 0)
{
    if (TavrStandInLocksHeldHere > 0)
        countCallUnderLock();
    if (hook)
        callHook(hook, op, object, arg0, arg1, value);
}

}  // namespace refhost
