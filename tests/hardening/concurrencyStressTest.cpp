// Eight threads, each making a thousand TavrRead, TavrWrite and TavrPreWrite
// calls through one dlopen'ed module, as a host with many threads does. Every
// call must give what the same call gives on one thread; the two conversion
// calls of the InChI library, which the module binds to the executable's
// spies, must each hold the library lock and never overlap; no host operation
// may run under the lock; and the lock must be taken and given back once per
// conversion call.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "corelib/standInControl.h"
#include "driver/entries.h"
#include "libraryCallWatch.h"
#include "moleculeSnapshot.h"
#include "refhost/hostCall.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"
#include "sampleMolecules.h"

namespace {

using refhost::refMolecule_c;

constexpr int threadCount = 8;
constexpr int callsPerThread = 1000;

// The module as a host holds it. It stays mapped after dlclose: under the
// sanitizers the module's unload step is run at process exit, and must find
// its code then.
class stressModule_c {
public:
    stressModule_c() : handle_(dlopen(TAVR_MODULE_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {
        if (!handle_) return;
        read = reinterpret_cast<TavrReadFn>(dlsym(handle_, "TavrRead"));
        write = reinterpret_cast<TavrWriteFn>(dlsym(handle_, "TavrWrite"));
        preWrite = reinterpret_cast<TavrPreWriteFn>(dlsym(handle_, "TavrPreWrite"));
    }
    ~stressModule_c() {
        if (handle_) dlclose(handle_);
    }
    stressModule_c(const stressModule_c&) = delete;
    stressModule_c& operator=(const stressModule_c&) = delete;

    bool loaded() const { return read && write && preWrite; }

    TavrReadFn read = nullptr;
    TavrWriteFn write = nullptr;
    TavrPreWriteFn preWrite = nullptr;

private:
    void* handle_;
};

std::string attributeText(const refhost::refAttributes_c& attributes) {
    std::string text;
    for (const refhost::attributeCall_c& call : attributes.calls())
        text += std::string(call.op) + " " + std::to_string(call.key) + " " + std::to_string(call.value) + ";";
    return text;
}

// The molecules every thread writes and declares, and the texts every thread
// reads, among them some each entry must refuse.
struct workload_c {
    std::vector<hardening_n::sampleMolecule_c> molecules;
    std::vector<std::string> readTexts;
};

void spoilBondOrder(refMolecule_c& molecule) {
    molecule.bond(molecule.bondIndices().front())->setOrder(4);
}

workload_c makeWorkload(const stressModule_c& module) {
    workload_c work;
    work.molecules = hardening_n::sampleMolecules();
    const hardening_n::sampleMolecule_c first = work.molecules.front();
    work.molecules.push_back({"bondOrder4", [first](refMolecule_c& m) {
                                  first.build(m);
                                  spoilBondOrder(m);
                              }});
    for (const hardening_n::sampleMolecule_c& sample : work.molecules) {
        refMolecule_c molecule;
        sample.build(molecule);
        refhost::memoryOutStream_c out;
        if (module.write(&molecule, &out, "SUCF", nullptr) == 1) work.readTexts.push_back(out.text());
    }
    work.readTexts.push_back("inchi=1/CH4/h1H4\nAuxInfo=1/0/N:1/rA:1C/rB:/rC:0,0,0;\n");
    work.readTexts.push_back("InChI=1/CH4/h1H4\nAuxInfo=1/0/N:1/rA:1C/rB:s7;/rC:0,0,0;\n");
    return work;
}

enum class entry_e { read, write, preWrite };

// Which call the i-th call of a thread is, on which item: every thread walks
// all entries and items, each in its own order.
struct job_c {
    entry_e entry;
    size_t item;
};

job_c jobFor(int thread, int i, const workload_c& work) {
    const entry_e entry = static_cast<entry_e>((i + thread) % 3);
    const size_t items = entry == entry_e::read ? work.readTexts.size() : work.molecules.size();
    return {entry, static_cast<size_t>(i * 7 + thread * 3) % items};
}

// What one call gave, as text: its result and everything it left behind.
std::string run(const stressModule_c& module, const workload_c& work, std::vector<refMolecule_c>& molecules,
                const job_c& job) {
    switch (job.entry) {
    case entry_e::read: {
        refMolecule_c molecule;
        refhost::memoryInStream_c in(work.readTexts[job.item]);
        refhost::refAttributes_c attributes;
        const int result = module.read(&molecule, &in, &attributes, "", nullptr);
        return std::to_string(result) + "\n" + attributeText(attributes) + "\n" + hardening_n::snapshot(molecule);
    }
    case entry_e::write: {
        refhost::memoryOutStream_c out;
        const int result = module.write(&molecules[job.item], &out, "SUCF", nullptr);
        return std::to_string(result) + "\n" + out.text();
    }
    case entry_e::preWrite: {
        refhost::refAttributes_c attributes;
        const int result = module.preWrite(&attributes, &molecules[job.item], nullptr);
        return std::to_string(result) + "\n" + attributeText(attributes);
    }
    }
    return "";
}

// Each thread writes and declares its own copies of the molecules: a host
// does not share one molecule between threads that may change it.
std::vector<refMolecule_c> buildAll(const workload_c& work) {
    std::vector<refMolecule_c> molecules(work.molecules.size());
    for (size_t i = 0; i < molecules.size(); ++i) work.molecules[i].build(molecules[i]);
    return molecules;
}

TEST(concurrencyStress, eightThreadsOfMixedCallsMatchOneThread) {
    TavrStandInSetMutexCreation(1);
    const stressModule_c module;
    ASSERT_TRUE(module.loaded()) << dlerror();
    const workload_c work = makeWorkload(module);
    ASSERT_EQ(work.readTexts.size(), work.molecules.size() + 1) << "every sample but the spoilt one is written";

    // The single-threaded answer of every distinct call, and the conversion
    // calls each makes.
    std::vector<std::string> expectedRead, expectedWrite, expectedPreWrite;
    std::vector<long> conversionsRead, conversionsWrite;
    {
        std::vector<refMolecule_c> molecules = buildAll(work);
        for (size_t i = 0; i < work.readTexts.size(); ++i) {
            libraryWatch_n::resetLibraryCalls();
            expectedRead.push_back(run(module, work, molecules, {entry_e::read, i}));
            conversionsRead.push_back(libraryWatch_n::libraryCalls().parses);
        }
        for (size_t i = 0; i < work.molecules.size(); ++i) {
            libraryWatch_n::resetLibraryCalls();
            expectedWrite.push_back(run(module, work, molecules, {entry_e::write, i}));
            conversionsWrite.push_back(libraryWatch_n::libraryCalls().identifiers);
            expectedPreWrite.push_back(run(module, work, molecules, {entry_e::preWrite, i}));
        }
    }
    ASSERT_GT(conversionsWrite.front(), 0) << "the module's GetINCHI does not reach the executable's watch";

    long conversions = 0;
    for (int t = 0; t < threadCount; ++t) {
        for (int i = 0; i < callsPerThread; ++i) {
            const job_c job = jobFor(t, i, work);
            if (job.entry == entry_e::read) conversions += conversionsRead[job.item];
            if (job.entry == entry_e::write) conversions += conversionsWrite[job.item];
        }
    }

    libraryWatch_n::resetLibraryCalls();
    refhost::resetLockHeldDuringHostCall();
    TavrStandInLockStatsReset();
    const long blocksBefore = TavrStandInLiveBlocks();
    std::atomic<int> mismatches{0};
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            std::vector<refMolecule_c> molecules = buildAll(work);
            // All threads start calling together, so that their calls meet.
            ready.fetch_add(1);
            while (ready.load() < threadCount) std::this_thread::yield();
            for (int i = 0; i < callsPerThread; ++i) {
                const job_c job = jobFor(t, i, work);
                const std::vector<std::string>& expected = job.entry == entry_e::read    ? expectedRead
                                                           : job.entry == entry_e::write ? expectedWrite
                                                                                         : expectedPreWrite;
                if (run(module, work, molecules, job) != expected[job.item]) mismatches.fetch_add(1);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();

    EXPECT_EQ(mismatches.load(), 0);
    const libraryWatch_n::libraryCalls_c stats = libraryWatch_n::libraryCalls();
    EXPECT_EQ(stats.identifiers + stats.parses, conversions);
    EXPECT_EQ(stats.mostConversionsAtOnce, 1) << "two conversion calls overlapped";
    EXPECT_EQ(stats.conversionsUnlocked, 0);
    EXPECT_EQ(refhost::lockHeldDuringHostCall(), 0u);
    TavrStandInLockStats lock{};
    TavrStandInLockStatsGet(&lock);
    EXPECT_EQ(lock.locks, conversions);
    EXPECT_EQ(lock.unlocks, conversions);
    EXPECT_EQ(lock.misuse, 0);
    EXPECT_EQ(TavrStandInLiveBlocks(), blocksBefore);
    RecordProperty("calls", threadCount * callsPerThread);
    RecordProperty("conversions", static_cast<int>(conversions));
    RecordProperty("lockContended", static_cast<int>(lock.overlaps));
}

}  // namespace
