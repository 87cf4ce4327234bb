#include "libraryCallWatch.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "corelib/standInControl.h"

namespace libraryWatch_n {

namespace {

std::atomic<long> parses{0}, identifiers{0}, inputFrees{0};
std::atomic<long> inProgress{0}, mostAtOnce{0}, conversionsUnlocked{0}, freesLocked{0};

// Set while the library's own parse runs on this thread: a Free_inchi_Input
// it makes for itself then (on a failed parse) is not one of the caller's.
thread_local bool insideParse = false;

std::atomic<int> lastIdentifierCode{0};

// The copies of the latest inputs have their own guard: the driver must not be
// relied on to serialise the calls this watch is meant to watch.
std::mutex lastInputGuard;
std::string lastText;
std::vector<inchi_Atom> lastAtoms;
std::string lastOptions;
parseTamper_t tamper;

// The library's own definition: the next one in lookup order, or, when the
// linker dropped the library because this executable defines every symbol it
// used of it, the one in the library loaded by name.
template <class Fn>
Fn next(const char* name) {
    if (void* found = dlsym(RTLD_NEXT, name)) return reinterpret_cast<Fn>(found);
    static void* const library = dlopen(TAVR_INCHI_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    return library ? reinterpret_cast<Fn>(dlsym(library, name)) : nullptr;
}

// Entered on the way into a conversion call; the yield widens the window in
// which a second caller would be seen, so that a missing lock shows.
class conversion_c {
public:
    conversion_c() {
        if (TavrStandInLockHeldByThisThread() == 0) conversionsUnlocked.fetch_add(1);
        const long now = inProgress.fetch_add(1) + 1;
        long seen = mostAtOnce.load();
        while (now > seen && !mostAtOnce.compare_exchange_weak(seen, now)) {
        }
        std::this_thread::yield();
    }
    ~conversion_c() { inProgress.fetch_sub(1); }
    conversion_c(const conversion_c&) = delete;
    conversion_c& operator=(const conversion_c&) = delete;
};

}  // namespace

libraryCalls_c libraryCalls() {
    libraryCalls_c calls;
    calls.parses = parses.load();
    calls.identifiers = identifiers.load();
    calls.inputFrees = inputFrees.load();
    calls.mostConversionsAtOnce = mostAtOnce.load();
    calls.conversionsUnlocked = conversionsUnlocked.load();
    calls.freesLocked = freesLocked.load();
    calls.lastIdentifierCode = lastIdentifierCode.load();
    return calls;
}

void resetLibraryCalls() {
    parses = 0;
    identifiers = 0;
    inputFrees = 0;
    mostAtOnce = 0;
    conversionsUnlocked = 0;
    freesLocked = 0;
    lastIdentifierCode = 0;
}

void setParseTamper(parseTamper_t replacement) { tamper = std::move(replacement); }

std::string lastParsedText() {
    std::lock_guard<std::mutex> hold(lastInputGuard);
    return lastText;
}

std::vector<inchi_Atom> lastIdentifierAtoms() {
    std::lock_guard<std::mutex> hold(lastInputGuard);
    return lastAtoms;
}

std::string lastIdentifierOptions() {
    std::lock_guard<std::mutex> hold(lastInputGuard);
    return lastOptions;
}

}  // namespace libraryWatch_n

using namespace libraryWatch_n;

extern "C" __attribute__((visibility("default"))) int Get_inchi_Input_FromAuxInfo(char* text, int doNotAddH,
                                                                                   int diffUnknownUndefined,
                                                                                   InchiInpData* data) {
    using parseFn = int (*)(char*, int, int, InchiInpData*);
    static const parseFn library = next<parseFn>("Get_inchi_Input_FromAuxInfo");
    parses.fetch_add(1);
    {
        std::lock_guard<std::mutex> hold(lastInputGuard);
        lastText = text ? text : "";
    }
    int code;
    {
        conversion_c inside;
        insideParse = true;
        code = library(text, doNotAddH, diffUnknownUndefined, data);
        insideParse = false;
    }
    return tamper ? tamper(code, *data) : code;
}

extern "C" __attribute__((visibility("default"))) int GetINCHI(inchi_Input* input, inchi_Output* output) {
    using getInchiFn = int (*)(inchi_Input*, inchi_Output*);
    static const getInchiFn library = next<getInchiFn>("GetINCHI");
    identifiers.fetch_add(1);
    // The copy is made inside the conversion, where it widens the window in
    // which an overlapping call would show rather than ordering the callers.
    conversion_c inside;
    {
        std::lock_guard<std::mutex> hold(lastInputGuard);
        lastAtoms.assign(input->atom, input->atom + (input->num_atoms > 0 ? input->num_atoms : 0));
        lastOptions = input->szOptions ? input->szOptions : "";
    }
    const int code = library(input, output);
    lastIdentifierCode = code;
    return code;
}

extern "C" __attribute__((visibility("default"))) void Free_inchi_Input(inchi_Input* input) {
    using freeFn = void (*)(inchi_Input*);
    static const freeFn library = next<freeFn>("Free_inchi_Input");
    if (!insideParse) {
        inputFrees.fetch_add(1);
        if (TavrStandInLockHeldByThisThread() != 0) freesLocked.fetch_add(1);
    }
    library(input);
}
