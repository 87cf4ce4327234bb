// The stand-in core library: its failure controls, the lock's figures and
// atomic masses, as tests of the driver rely on them.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "corelib/standInControl.h"
#include "host/mutex_c.h"
#include "host/tavrelcore.h"

namespace {

TavrStandInLockStats lockStats()
{
    TavrStandInLockStats stats{};
    TavrStandInLockStatsGet(&stats);
    return stats;
}

class coreLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TavrStandInFailAllocationAt(0);
        TavrStandInFailAllAllocations(0);
        TavrStandInSetMutexCreation(1);
        TavrStandInLockStatsReset();
    }
    void TearDown() override { SetUp(); }
};

TEST_F(coreLibraryTest, nthAllocationFailsOnceAndCountersFollowTheBlocks)
{
    const long calls = TavrStandInAllocationCalls();
    const long live = TavrStandInLiveBlocks();
    TavrStandInFailAllocationAt(2);
    void* first = TavrNewMemory(16);
    void* second = TavrNewMemory(16);
    void* third = TavrNewMemory(16);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    EXPECT_EQ(TavrStandInAllocationCalls(), calls + 3);
    EXPECT_EQ(TavrStandInLiveBlocks(), live + 2);
    TavrDeleteMemory(first);
    TavrDeleteMemory(third);
    TavrDeleteMemory(nullptr);
    EXPECT_EQ(TavrStandInLiveBlocks(), live);
}

TEST_F(coreLibraryTest, failAllHoldsUntilSwitchedOffAndZeroBytesIsNoFailure)
{
    TavrStandInFailAllAllocations(1);
    EXPECT_EQ(TavrNewMemory(8), nullptr);
    EXPECT_EQ(TavrNewMemory(8), nullptr);
    TavrStandInFailAllAllocations(0);
    void* empty = TavrNewMemory(0);
    EXPECT_NE(empty, nullptr);
    TavrDeleteMemory(empty);
}

TEST_F(coreLibraryTest, lockCountsUseAndSaysWhichThreadHoldsIt)
{
    mutex_c* lock = nullptr;
    TavrCreateMutex(&lock);
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(TavrStandInLockHeldByThisThread(), 0);
    lock->lock();
    EXPECT_EQ(TavrStandInLockHeldByThisThread(), 1);
    int heldElsewhere = -1;
    std::thread([&] { heldElsewhere = TavrStandInLockHeldByThisThread(); }).join();
    EXPECT_EQ(heldElsewhere, 0);
    lock->unlock();
    EXPECT_EQ(TavrStandInLockHeldByThisThread(), 0);
    lock->release();

    const TavrStandInLockStats stats = lockStats();
    EXPECT_EQ(stats.created, 1);
    EXPECT_EQ(stats.released, 1);
    EXPECT_EQ(stats.locks, 1);
    EXPECT_EQ(stats.unlocks, 1);
    EXPECT_EQ(stats.overlaps, 0);
    EXPECT_EQ(stats.misuse, 0);
}

// Each misuse is counted and otherwise ignored: a second lock on one thread
// must not deadlock the test, and calls after release touch no freed memory.
TEST_F(coreLibraryTest, misuseIsCountedWithoutBlocking)
{
    mutex_c* lock = nullptr;
    TavrCreateMutex(&lock);
    ASSERT_NE(lock, nullptr);
    lock->unlock();  // not held
    lock->lock();
    lock->lock();  // held already on this thread
    lock->unlock();
    EXPECT_EQ(TavrStandInLockHeldByThisThread(), 0);
    EXPECT_EQ(lockStats().misuse, 2);

    lock->release();
    lock->lock();
    lock->unlock();
    lock->release();
    EXPECT_EQ(TavrStandInLockHeldByThisThread(), 0);
    const TavrStandInLockStats stats = lockStats();
    EXPECT_EQ(stats.misuse, 5);
    EXPECT_EQ(stats.released, 1);
}

TEST_F(coreLibraryTest, releaseWhileHeldIsMisuse)
{
    mutex_c* lock = nullptr;
    TavrCreateMutex(&lock);
    ASSERT_NE(lock, nullptr);
    lock->lock();
    lock->release();
    EXPECT_EQ(lockStats().misuse, 1);
    EXPECT_EQ(TavrStandInLockHeldByThisThread(), 0);
}

// The second thread's lock() is counted as an overlap before it blocks, so
// the main thread waits for that figure rather than for time to pass.
TEST_F(coreLibraryTest, aLockThatFindsAnotherHolderIsAnOverlap)
{
    mutex_c* lock = nullptr;
    TavrCreateMutex(&lock);
    ASSERT_NE(lock, nullptr);
    lock->lock();
    std::atomic<bool> gotIt{false};
    std::thread other([&] {
        lock->lock();
        gotIt = true;
        lock->unlock();
    });
    while (lockStats().overlaps == 0)
        std::this_thread::yield();
    EXPECT_FALSE(gotIt.load());
    lock->unlock();
    other.join();
    EXPECT_TRUE(gotIt.load());
    lock->release();

    const TavrStandInLockStats stats = lockStats();
    EXPECT_EQ(stats.locks, 2);
    EXPECT_EQ(stats.unlocks, 2);
    EXPECT_EQ(stats.overlaps, 1);
    EXPECT_EQ(stats.misuse, 0);
}

TEST_F(coreLibraryTest, noLockControlLeavesTheReferenceNull)
{
    TavrStandInSetMutexCreation(0);
    mutex_c* lock = reinterpret_cast<mutex_c*>(uintptr_t{0x10});
    TavrCreateMutex(&lock);
    EXPECT_EQ(lock, nullptr);
    EXPECT_EQ(lockStats().created, 0);

    TavrStandInSetMutexCreation(1);
    TavrCreateMutex(&lock);
    ASSERT_NE(lock, nullptr);
    lock->release();
    EXPECT_EQ(lockStats().created, 1);
}

TEST(atomicMass, publishedWeightsAndBracketedMassNumbers)
{
    struct {
        int z;
        double mass;
    } const cases[] = {{1, 1.008}, {6, 12.011}, {7, 14.007}, {8, 15.999}, {17, 35.45},
                       {35, 79.904}, {43, 98}, {92, 238.03}, {118, 294}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(TavrAtomicNumberToMass(c.z, 0), c.mass) << "Z = " << c.z;
}

TEST(atomicMass, everyElementHasAMassAndNothingElseHasOne)
{
    for (int z = 1; z <= 118; ++z)
        EXPECT_GT(TavrAtomicNumberToMass(z, 0), z) << "Z = " << z;
    for (int z : {-1, 0, 119, 1000})
        EXPECT_EQ(TavrAtomicNumberToMass(z, 0), 0.0) << "Z = " << z;
}

}  // namespace
