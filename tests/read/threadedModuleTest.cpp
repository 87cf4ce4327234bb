// Reads and writes on four threads at once through the loaded module, as a
// host calls it. The executable's own Get_inchi_Input_FromAuxInfo, GetINCHI
// and Free_inchi_Input (tests/support/libraryCallWatch), to which the module
// binds, see whether a conversion call ever overlaps another or runs without
// the lock; the reference host counts its operations entered under the lock.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "corelib/standInControl.h"
#include "driver/entries.h"
#include "inchiMain.h"
#include "libraryCallWatch.h"
#include "refhost/hostCall.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

using libraryWatch_n::libraryCalls;
using libraryWatch_n::libraryCalls_c;

namespace {

// The driver module, loaded for one test. It stays mapped after dlclose: the
// sanitizers' atexit interceptors register the module's unload step for the
// end of the process instead of for the unload, and it must find its code then.
class loadedModule_c {
public:
    loadedModule_c() : handle_(dlopen(TAVR_MODULE_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {
        if (!handle_) return;
        read_ = reinterpret_cast<TavrReadFn>(dlsym(handle_, "TavrRead"));
        write_ = reinterpret_cast<TavrWriteFn>(dlsym(handle_, "TavrWrite"));
    }
    ~loadedModule_c() {
        if (handle_) dlclose(handle_);
    }
    loadedModule_c(const loadedModule_c&) = delete;
    loadedModule_c& operator=(const loadedModule_c&) = delete;

    bool loaded() const { return read_ && write_; }
    TavrReadFn read() const { return read_; }
    TavrWriteFn write() const { return write_; }

private:
    void* handle_;
    TavrReadFn read_ = nullptr;
    TavrWriteFn write_ = nullptr;
};

struct trip_c {
    int read = 0;
    int written = 0;
    std::string text;
};

// One record read into a fresh molecule and written back.
trip_c readAndWrite(const loadedModule_c& module, const std::string& input) {
    trip_c trip;
    refhost::refMolecule_c molecule;
    refhost::memoryInStream_c in(input);
    refhost::refAttributes_c attributes;
    trip.read = module.read()(&molecule, &in, &attributes, "", nullptr);
    refhost::memoryOutStream_c out;
    trip.written = module.write()(&molecule, &out, "", nullptr);
    trip.text = out.text();
    return trip;
}

TavrStandInLockStats lockStats() {
    TavrStandInLockStats stats{};
    TavrStandInLockStatsGet(&stats);
    return stats;
}

}  // namespace

TEST(loadedModule, readsAndWritesOnFourThreadsNeverOverlapInTheLibrary) {
    TavrStandInSetMutexCreation(1);
    const loadedModule_c module;
    ASSERT_TRUE(module.loaded()) << dlerror();

    // Stereo records give the library the most to do per call.
    const std::vector<inchiMain_n::referenceRecord_c> reference =
        inchiMain_n::runInchiMain(std::string(TAVR_SAMPLES) + "/stereo2d-sample.sdf");
    ASSERT_FALSE(reference.empty());
    std::vector<std::string> inputs;
    std::vector<trip_c> alone;
    libraryWatch_n::resetLibraryCalls();
    for (const inchiMain_n::referenceRecord_c& record : reference) {
        inputs.push_back(record.inchi + "\n" + record.auxInfo + "\n");
        alone.push_back(readAndWrite(module, inputs.back()));
        ASSERT_EQ(alone.back().read, 1);
        ASSERT_EQ(alone.back().written, 1);
    }
    ASSERT_EQ(libraryCalls().parses, static_cast<long>(inputs.size()))
        << "the module's parse does not reach the executable's";

    libraryWatch_n::resetLibraryCalls();
    refhost::resetLockHeldDuringHostCall();
    TavrStandInLockStatsReset();
    constexpr int threads = 4;
    std::atomic<int> wrong{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            for (size_t i = 0; i < inputs.size(); ++i) {
                const size_t which = (i * threads + t) % inputs.size();
                const trip_c trip = readAndWrite(module, inputs[which]);
                if (trip.read != 1 || trip.written != 1 || trip.text != alone[which].text) ++wrong;
            }
        });
    }
    for (std::thread& worker : workers) worker.join();

    const long conversions = 2 * threads * static_cast<long>(inputs.size());
    const libraryCalls_c calls = libraryCalls();
    EXPECT_EQ(wrong.load(), 0) << "a read or write on a busy module gave another result than alone";
    EXPECT_EQ(calls.parses + calls.identifiers, conversions);
    EXPECT_EQ(calls.mostConversionsAtOnce, 1);
    EXPECT_EQ(calls.conversionsUnlocked, 0);
    EXPECT_EQ(calls.inputFrees, calls.parses);
    EXPECT_EQ(calls.freesLocked, 0);
    EXPECT_EQ(refhost::lockHeldDuringHostCall(), 0u);
    const TavrStandInLockStats stats = lockStats();
    EXPECT_EQ(stats.locks, conversions);
    EXPECT_EQ(stats.unlocks, conversions);
    EXPECT_EQ(stats.misuse, 0);
}
