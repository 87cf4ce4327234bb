// The module as the host sees it: loaded and unloaded with dlopen and dlclose,
// with and without a lock object from the core library, and exporting nothing
// but its three entries.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "corelib/standInControl.h"
#include "loadedModule.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"
#include "testStructure.h"

namespace {

using writeTest_n::loadedModule_c;

TavrStandInLockStats lockStats() {
    TavrStandInLockStats stats{};
    TavrStandInLockStatsGet(&stats);
    return stats;
}

std::string writeEthanol(const loadedModule_c& module, int& result) {
    refhost::refMolecule_c molecule;
    writeTest_n::ethanol().build(molecule);
    refhost::memoryOutStream_c out;
    result = module.write()(&molecule, &out, "", nullptr);
    return out.text();
}

class moduleLifetime : public ::testing::Test {
protected:
    void SetUp() override {
        TavrStandInSetMutexCreation(1);
        TavrStandInLockStatsReset();
    }
    void TearDown() override { TavrStandInSetMutexCreation(1); }
};

TEST_F(moduleLifetime, lockMadeAtLoadAndReleasedAtUnload) {
    {
        loadedModule_c module;
        ASSERT_TRUE(module.loaded()) << loadedModule_c::error();
        EXPECT_EQ(lockStats().created, 1);
        EXPECT_EQ(lockStats().locks, 0);
        int result = 0;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NE(writeEthanol(module, result), "");
            EXPECT_EQ(result, 1);
        }
        const TavrStandInLockStats used = lockStats();
        EXPECT_EQ(used.created, 1);  // once per load, not per call
        EXPECT_EQ(used.locks, 3);
        EXPECT_EQ(used.unlocks, 3);
        EXPECT_EQ(used.released, 0);
    }
    const TavrStandInLockStats unloaded = lockStats();
    EXPECT_EQ(unloaded.released, 1);
    EXPECT_EQ(unloaded.misuse, 0);
}

TEST_F(moduleLifetime, eachLoadHasItsOwnLock) {
    for (int load = 1; load <= 2; ++load) {
        loadedModule_c module;
        ASSERT_TRUE(module.loaded()) << loadedModule_c::error();
        int result = 0;
        writeEthanol(module, result);
        EXPECT_EQ(result, 1);
    }
    const TavrStandInLockStats stats = lockStats();
    EXPECT_EQ(stats.created, 2);
    EXPECT_EQ(stats.released, 2);
    EXPECT_EQ(stats.misuse, 0);
}

// A core library that makes no lock object: the module loads, writes as
// before without locking, and has nothing to release at unload.
TEST_F(moduleLifetime, withoutLockObjectWritesStillWork) {
    std::string withLock;
    {
        loadedModule_c module;
        ASSERT_TRUE(module.loaded()) << loadedModule_c::error();
        int result = 0;
        withLock = writeEthanol(module, result);
        ASSERT_EQ(result, 1);
    }
    TavrStandInSetMutexCreation(0);
    TavrStandInLockStatsReset();
    {
        loadedModule_c module;
        ASSERT_TRUE(module.loaded()) << loadedModule_c::error();
        int result = 0;
        EXPECT_EQ(writeEthanol(module, result), withLock);
        EXPECT_EQ(result, 1);
    }
    const TavrStandInLockStats stats = lockStats();
    EXPECT_EQ(stats.created, 0);
    EXPECT_EQ(stats.locks, 0);
    EXPECT_EQ(stats.released, 0);
    EXPECT_EQ(stats.misuse, 0);
}

// nm -D --defined-only: every function the module defines for others.
TEST(moduleExports, onlyTheThreeEntries) {
    const std::string command = std::string("nm -D --defined-only '") + TAVR_MODULE_PATH + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> functions, others;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (!(fields >> address >> type >> name)) continue;
        if (type == "T" || type == "t" || type == "W" || type == "w" || type == "i") {
            functions.insert(name);
        } else if (type != "A") {  // version-script nodes
            others.insert(name);
        }
    }
    ASSERT_EQ(pclose(pipe), 0) << "nm failed on " << TAVR_MODULE_PATH;
    EXPECT_EQ(functions, (std::set<std::string>{"TavrPreWrite", "TavrRead", "TavrWrite"}));
    std::string otherNames;
    for (const std::string& name : others) otherNames += name + " ";
    EXPECT_TRUE(others.empty()) << otherNames;
}

}  // namespace
