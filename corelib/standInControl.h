#pragma once
// Controls of the stand-in core library that tests and tools use to make the
// host's services fail or to watch the library lock. The driver never calls
// these; it sees only the tavrelcorev7 functions.

#include <cstdint>

extern "C" {

// The nth TavrNewMemory call from now fails (1 = the next one); 0 disables.
void TavrStandInFailAllocationAt(long nth);
// Every TavrNewMemory call fails while on.
void TavrStandInFailAllAllocations(int on);
// TavrNewMemory calls made so far, and blocks handed out and not yet given back.
long TavrStandInAllocationCalls(void);
long TavrStandInLiveBlocks(void);

// Whether TavrCreateMutex makes an object (default) or leaves the reference null.
void TavrStandInSetMutexCreation(int yieldsObject);

struct TavrStandInLockStats {
    long created;     // TavrCreateMutex calls that made an object
    long released;    // release() calls
    long locks;       // lock() calls
    long unlocks;     // unlock() calls
    long overlaps;    // lock() calls that found another thread holding the lock
    long misuse;      // unlock() without holding, lock() while holding, use after release
};
void TavrStandInLockStatsGet(struct TavrStandInLockStats* stats);
void TavrStandInLockStatsReset(void);
// Whether the calling thread holds a lock object made by TavrCreateMutex.
int TavrStandInLockHeldByThisThread(void);
// The count behind it: stand-in locks the calling thread holds right now. The
// reference host tests it on every one of its calls, where reading it inline
// costs two instructions and a call costs ten. Initial-exec, since this library
// is always loaded with the program, never opened later.
extern __thread int TavrStandInLocksHeldHere __attribute__((tls_model("initial-exec")));
}
