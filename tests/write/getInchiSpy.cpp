#include "getInchiSpy.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "corelib/standInControl.h"

namespace writeTest_n {

namespace {

std::atomic<long> calls{0}, auxInfoCalls{0}, inProgress{0}, maxConcurrent{0}, lockNotHeld{0};
std::atomic<int> lastCode{0};

// The copy of the latest input has its own guard: the driver must not be
// relied on to serialise the calls this spy is meant to watch.
std::mutex lastInputGuard;
std::vector<inchi_Atom> lastAtoms;
std::string lastOptions;

using getInchiFn = int (*)(inchi_Input*, inchi_Output*);
using fromAuxInfoFn = int (*)(char*, int, int, InchiInpData*);

// The library's own definition, loaded after the executable.
void* nextDefinition(const char* name) {
    void* next = dlsym(RTLD_NEXT, name);
    if (!next) {
        std::fprintf(stderr, "getInchiSpy: no %s after the executable; link the InChI library\n", name);
        std::abort();
    }
    return next;
}

getInchiFn libraryGetInchi() {
    static const getInchiFn next = reinterpret_cast<getInchiFn>(nextDefinition("GetINCHI"));
    return next;
}

fromAuxInfoFn libraryFromAuxInfo() {
    static const fromAuxInfoFn next =
        reinterpret_cast<fromAuxInfoFn>(nextDefinition("Get_inchi_Input_FromAuxInfo"));
    return next;
}

// Entry of a conversion call: counted, checked for the lock, and for overlap
// with any other conversion call in progress.
void enterConversion() {
    if (TavrStandInLockHeldByThisThread() == 0) lockNotHeld.fetch_add(1);
    const long now = inProgress.fetch_add(1) + 1;
    long seen = maxConcurrent.load();
    while (now > seen && !maxConcurrent.compare_exchange_weak(seen, now)) {
    }
}

void keepInput(const inchi_Input* input) {
    std::lock_guard<std::mutex> hold(lastInputGuard);
    lastAtoms.assign(input->atom, input->atom + (input->num_atoms > 0 ? input->num_atoms : 0));
    lastOptions = input->szOptions ? input->szOptions : "";
}

}  // namespace

getInchiStats_c getInchiStats() {
    getInchiStats_c stats;
    stats.calls = calls.load();
    stats.auxInfoCalls = auxInfoCalls.load();
    stats.maxConcurrent = maxConcurrent.load();
    stats.lockNotHeld = lockNotHeld.load();
    stats.lastCode = lastCode.load();
    return stats;
}

void resetGetInchiStats() {
    calls = 0;
    auxInfoCalls = 0;
    maxConcurrent = 0;
    lockNotHeld = 0;
    lastCode = 0;
}

std::vector<inchi_Atom> lastInputAtoms() {
    std::lock_guard<std::mutex> hold(lastInputGuard);
    return lastAtoms;
}

std::string lastInputOptions() {
    std::lock_guard<std::mutex> hold(lastInputGuard);
    return lastOptions;
}

}  // namespace writeTest_n

extern "C" __attribute__((visibility("default"))) int GetINCHI(inchi_Input* input, inchi_Output* output) {
    using namespace writeTest_n;
    calls.fetch_add(1);
    enterConversion();
    keepInput(input);
    const int code = libraryGetInchi()(input, output);
    lastCode = code;
    inProgress.fetch_sub(1);
    return code;
}

extern "C" __attribute__((visibility("default"))) int Get_inchi_Input_FromAuxInfo(char* auxInfo, int doNotAddH,
                                                                                 int diffUnknownUndefined,
                                                                                 InchiInpData* data) {
    using namespace writeTest_n;
    auxInfoCalls.fetch_add(1);
    enterConversion();
    const int code = libraryFromAuxInfo()(auxInfo, doNotAddH, diffUnknownUndefined, data);
    inProgress.fetch_sub(1);
    return code;
}
