#pragma once
// The one object that lives from module load to unload: the lock that
// serialises the InChI library's conversion calls (GetINCHI and
// Get_inchi_Input_FromAuxInfo) across every thread of the host. It is held for
// the single library call only: never across a host operation or stream I/O.

class mutex_c;

namespace InChI_n {

// Null before start-up, after unload, and for the module's whole life when the
// core library made no lock object.
mutex_c*& libraryLock();

// Load step: TavrCreateMutex into the lock reference, and the unload step
// registered as the module's exit handler.
void startModule();
// Unload step: release the lock object, if any, and forget it.
void stopModule();

// Holds the library lock (when there is one) for exactly the duration of call();
// the lock is given back also when call() ends by an exception.
template <class Call>
auto guardedLibraryCall(Call call) -> decltype(call());

}  // namespace InChI_n

#include "driver/guardedLibraryCall.inl"
