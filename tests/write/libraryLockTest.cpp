// The library lock under load: threads writing (and reading) at once through
// the dlopen'ed module. The executable's own GetINCHI and
// Get_inchi_Input_FromAuxInfo, which the module binds to, check that each
// conversion call holds the lock and that no two of them are ever in progress
// together; the reference host counts host operations entered under the lock.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "corelib/standInControl.h"
#include "libraryCallWatch.h"
#include "loadedModule.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"
#include "testStructure.h"

namespace {

using namespace writeTest_n;
using namespace libraryWatch_n;

// A few structures, one of them large enough to keep the library busy.
std::vector<testStructure_c> structures() {
    testStructure_c ring;
    const int size = 60;
    for (int i = 0; i < size; ++i) ring.atom(i % 3 == 0 ? "N" : "C", i * 1.5, (i % 2) * 0.75);
    for (int i = 0; i < size; ++i) ring.bond(i, (i + 1) % size, i % 4 == 1 ? 2 : 1);
    return {ethanol(), halogenatedMethane(1), halogenatedMethane(7), ring};
}

struct writeResult_c {
    int result;
    std::string text;
};

writeResult_c writeWith(TavrWriteFn write, const testStructure_c& structure) {
    refhost::refMolecule_c molecule;
    structure.build(molecule);
    refhost::memoryOutStream_c out;
    const int result = write(&molecule, &out, "", nullptr);
    return {result, out.text()};
}

class libraryLock : public ::testing::Test {
protected:
    void SetUp() override {
        TavrStandInSetMutexCreation(1);
        ASSERT_TRUE(module_.loaded()) << loadedModule_c::error();
        for (const testStructure_c& s : structures_) {
            const writeResult_c alone = writeWith(module_.write(), s);
            ASSERT_EQ(alone.result, 1);
            expected_.push_back(alone.text);
        }
        ASSERT_GT(libraryCalls().identifiers, 0) << "the module's GetINCHI does not reach the executable's";
        resetLibraryCalls();
        refhost::resetLockHeldDuringHostCall();
        TavrStandInLockStatsReset();
    }

    // Every conversion call held the lock, none overlapped another, and no
    // host operation or stream write ran under it.
    void expectSerialised(long conversions) {
        const libraryCalls_c stats = libraryCalls();
        EXPECT_EQ(stats.identifiers + stats.parses, conversions);
        EXPECT_EQ(stats.mostConversionsAtOnce, 1);
        EXPECT_EQ(stats.conversionsUnlocked, 0);
        EXPECT_EQ(refhost::lockHeldDuringHostCall(), 0u);
        TavrStandInLockStats lock{};
        TavrStandInLockStatsGet(&lock);
        EXPECT_EQ(lock.locks, conversions);
        EXPECT_EQ(lock.unlocks, conversions);
        EXPECT_EQ(lock.misuse, 0);
    }

    loadedModule_c module_;
    const std::vector<testStructure_c> structures_ = structures();
    std::vector<std::string> expected_;
};

constexpr int rounds = 40;

TEST_F(libraryLock, fourWritersAtOnce) {
    std::atomic<int> wrong{0};
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < rounds; ++i) {
                const size_t which = (t + i) % structures_.size();
                const writeResult_c written = writeWith(module_.write(), structures_[which]);
                if (written.result != 1 || written.text != expected_[which]) ++wrong;
            }
        });
    }
    for (std::thread& w : writers) w.join();
    EXPECT_EQ(wrong, 0);
    expectSerialised(4 * rounds);
}

// A read and a write at once: Get_inchi_Input_FromAuxInfo and GetINCHI share the lock.
TEST_F(libraryLock, readersAndWritersAtOnce) {
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < rounds; ++i) {
                const size_t which = (t + i) % structures_.size();
                const writeResult_c written = writeWith(module_.write(), structures_[which]);
                if (written.result != 1 || written.text != expected_[which]) ++wrong;
            }
        });
        threads.emplace_back([&, t] {
            for (int i = 0; i < rounds; ++i) {
                refhost::refMolecule_c molecule;
                refhost::memoryInStream_c in(expected_[(t + i) % expected_.size()]);
                refhost::refAttributes_c attributes;
                if (module_.read()(&molecule, &in, &attributes, "", nullptr) != 1) ++wrong;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(wrong, 0);
    expectSerialised(4 * rounds);
}

}  // namespace
