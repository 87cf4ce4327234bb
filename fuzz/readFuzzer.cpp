// TavrRead on arbitrary bytes, as a host hands it a stream it knows nothing
// about. Whatever the bytes, the read answers 0 or 1, declares its attribute
// exactly when it answers 1, gives back every set, and leaves no lock held;
// and the molecule it built, whole or half way, is one the host may then
// declare and write without the driver changing it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corelib/standInControl.h"
#include "driver/entries.h"
#include "driver/libraryLock.h"
#include "fuzz/fuzzChecks.h"
#include "moleculeSnapshot.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

using fuzz_n::demand;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The module's load step, so that the library calls run under the lock.
    InChI_n::startModule();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const long blocks = TavrStandInLiveBlocks();
    refhost::refMolecule_c molecule;
    refhost::memoryInStream_c in(std::string(reinterpret_cast<const char*>(data), size));
    refhost::refAttributes_c attributes;
    const int read = TavrRead(&molecule, &in, &attributes, "", nullptr);
    demand(read == 0 || read == 1, "TavrRead answers 0 or 1");
    demand(attributes.calls().size() == (read == 1 ? 2u : 0u), "a read declares its attribute exactly on success");
    demand(TavrStandInLiveBlocks() == blocks, "a read gives back every set");
    demand(TavrStandInLockHeldByThisThread() == 0, "a read gives the lock back");

    const std::string built = hardening_n::snapshot(molecule);
    refhost::refAttributes_c declared;
    demand(TavrPreWrite(&declared, &molecule, nullptr) == 1, "the pre-write of a read molecule answers 1");
    refhost::memoryOutStream_c out;
    const int written = TavrWrite(&molecule, &out, "", nullptr);
    demand(written == 0 || written == 1, "TavrWrite answers 0 or 1");
    demand(hardening_n::snapshot(molecule) == built, "neither the pre-write nor the write changes the molecule");
    demand(TavrStandInLiveBlocks() == blocks, "a write gives back every set");
    demand(TavrStandInLockHeldByThisThread() == 0, "a write gives the lock back");
    return 0;
}
