// TavrPreWrite and TavrWrite on a host molecule built from the fuzz bytes
// (fuzz/moleculeRecipe.h), with a host that may throw from any operation and
// refuse any declaration. The pre-write answers exactly the code its contract
// gives for what happened, the write answers 0 or 1 (0 when the host threw
// during it), neither changes the molecule, every set is given back and no
// lock is left held.
#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

#include "corelib/standInControl.h"
#include "driver/entries.h"
#include "driver/libraryLock.h"
#include "fuzz/fuzzChecks.h"
#include "fuzz/moleculeRecipe.h"
#include "host/tavrelException_c.h"
#include "moleculeSnapshot.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

using fuzz_n::demand;

namespace {

// Counts the host calls of both entries and throws at the chosen one.
class hostFailure_c {
public:
    explicit hostFailure_c(const fuzz_n::hostConduct_c& conduct) : conduct_(conduct) {}
    void operator()(const refhost::hostCall_c&) {
        if (++calls_ != conduct_.throwAtCall) return;
        thrown_ = true;
        switch (conduct_.throwKind) {
        case 0: throw tavrelException_c{conduct_.throwCode};
        case 1: throw std::runtime_error("host failure");
        case 2: throw std::bad_alloc();
        default: throw 7;
        }
    }
    bool thrown() const { return thrown_; }

private:
    const fuzz_n::hostConduct_c& conduct_;
    uint32_t calls_ = 0;
    bool thrown_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InChI_n::startModule();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const long blocks = TavrStandInLiveBlocks();
    refhost::refMolecule_c molecule;
    const fuzz_n::hostConduct_c conduct = fuzz_n::buildFromRecipe(data, size, molecule);
    const std::string before = hardening_n::snapshot(molecule);

    hostFailure_c failure(conduct);
    const auto hook = [&failure](const refhost::hostCall_c& call) { failure(call); };
    molecule.setHook(hook);
    refhost::refAttributes_c attributes;
    attributes.setHook(hook);
    int attributeCalls = 0;
    bool refused = false;
    attributes.setStatus([&](const refhost::attributeCall_c&) -> uint32_t {
        const bool fails = (conduct.failingAttributes >> (attributeCalls++ % 8)) & 1;
        refused = refused || fails;
        return fails ? 0u : 1u;
    });

    const int declared = TavrPreWrite(&attributes, &molecule, nullptr);
    if (failure.thrown())
        demand(declared == (conduct.throwKind == 0 ? conduct.throwCode : 16), "a host exception's code, or 16");
    else
        demand(declared == (refused ? 5 : 1), "1, or 5 after a refused declaration");
    demand(TavrStandInLiveBlocks() == blocks, "the pre-write gives back its set");

    const bool thrownBefore = failure.thrown();
    refhost::memoryOutStream_c out;
    out.setHook(hook);
    const int written = TavrWrite(&molecule, &out, conduct.options.c_str(), nullptr);
    demand(written == 0 || written == 1, "TavrWrite answers 0 or 1");
    if (failure.thrown() && !thrownBefore) demand(written == 0, "a host exception fails the write");
    molecule.setHook(nullptr);
    demand(hardening_n::snapshot(molecule) == before, "neither entry changes the molecule");
    demand(TavrStandInLiveBlocks() == blocks, "the write gives back every set");
    demand(TavrStandInLockHeldByThisThread() == 0, "the write gives the lock back");
    return 0;
}
