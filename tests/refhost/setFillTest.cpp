// How the reference host fills a bit set record: its size, its storage and
// its byte layout, and what happens to storage the record already owns.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <vector>

#include "containers/bitSet_c.h"
#include "corelib/standInControl.h"
#include "refhost/setFill.h"

namespace {

using refhost::fillSet;

void fill(bitSet_c& set, const std::vector<uint32_t>& members)
{
    fillSet(set, members.data(), static_cast<uint32_t>(members.size()));
}

const uint8_t* bytesOf(const bitSet_c& set) { return reinterpret_cast<const uint8_t*>(set.words); }

class setFillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TavrStandInFailAllocationAt(0);
        TavrStandInFailAllAllocations(0);
        liveBefore = TavrStandInLiveBlocks();
    }
    void TearDown() override
    {
        TavrStandInFailAllocationAt(0);
        TavrStandInFailAllAllocations(0);
    }
    long liveBefore = 0;
};

// Up to 128 indices the record's own words, sized to the word; beyond, a
// block of whole eight-word steps.
TEST_F(setFillTest, sizeAndStorageFollowTheLargestMember)
{
    struct {
        std::vector<uint32_t> members;
        uint32_t words;
        bool inlineStorage;
    } const cases[] = {
        {{0}, 1, true},
        {{31}, 1, true},
        {{32}, 2, true},
        {{3, 127}, 4, true},
        {{128}, 8, false},
        {{0, 200}, 8, false},
        {{255}, 8, false},
        {{256}, 16, false},
        {{1000}, 32, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.members.back());
        const long calls = TavrStandInAllocationCalls();
        bitSet_c set;
        fill(set, c.members);
        EXPECT_EQ(set.wordCount, c.words);
        EXPECT_EQ(set.byteCount, 4 * c.words);
        EXPECT_EQ(set.words == set.inlineWords, c.inlineStorage);
        EXPECT_EQ(TavrStandInAllocationCalls() - calls, c.inlineStorage ? 0 : 1);
        EXPECT_EQ(TavrStandInLiveBlocks() - liveBefore, c.inlineStorage ? 0 : 1);
    }
    EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore);
}

TEST_F(setFillTest, noMembersMeansNoStorage)
{
    bitSet_c set;
    fill(set, {300});
    fill(set, {});
    EXPECT_EQ(set.words, nullptr);
    EXPECT_EQ(set.wordCount, 0u);
    EXPECT_EQ(set.byteCount, 0u);
    EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore);
}

// Most significant bit first within each byte, bytes in memory order; every
// other bit of the storage is clear even when the inline words held garbage.
TEST_F(setFillTest, rawByteLayout)
{
    bitSet_c set;
    std::memset(set.inlineWords, 0xFF, sizeof set.inlineWords);
    fill(set, {0, 7, 9, 100});
    ASSERT_EQ(set.byteCount, 16u);
    std::vector<uint8_t> expected(16, 0);
    expected[0] = 0x81;
    expected[1] = 0x40;
    expected[12] = 0x08;
    EXPECT_EQ(std::vector<uint8_t>(bytesOf(set), bytesOf(set) + 16), expected);

    fill(set, {200});
    ASSERT_EQ(set.byteCount, 32u);
    std::vector<uint8_t> high(32, 0);
    high[25] = 0x80;
    EXPECT_EQ(std::vector<uint8_t>(bytesOf(set), bytesOf(set) + 32), high);
}

// The driver reads what the host wrote: both sides must agree on the layout.
TEST_F(setFillTest, theDriversWalkFindsTheMembers)
{
    const std::vector<uint32_t> members{0, 9, 31, 32, 127, 128, 200, 4095};
    bitSet_c set;
    fill(set, members);
    std::vector<uint32_t> seen;
    uint32_t i = 0;
    for (bool more = set.nextSetBit(0, i); more; more = set.nextSetBit(i + 1, i))
        seen.push_back(i);
    EXPECT_EQ(seen, members);
    EXPECT_EQ(set.bitCount(), members.size());
}

TEST_F(setFillTest, refillingGivesTheOldBlockBackExactlyOnce)
{
    {
        bitSet_c set;
        fill(set, {300});
        EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore + 1);
        fill(set, {600});
        EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore + 1);
        fill(set, {5});
        EXPECT_EQ(set.words, set.inlineWords);
        EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore);
        fill(set, {700});
        EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore + 1);
    }
    EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore);
}

// A refill that the owned block covers reuses it: no allocation, the words
// beyond the new result are not part of the set, and the old members are gone.
// A result that grows within its eight-word step keeps the block too.
TEST_F(setFillTest, refillingWithinTheOwnedBlockReusesIt)
{
    bitSet_c set;
    fill(set, {3, 600});
    const uint32_t* block = set.words;
    const long calls = TavrStandInAllocationCalls();
    fill(set, {200, 300});
    EXPECT_EQ(set.words, block);
    EXPECT_EQ(TavrStandInAllocationCalls(), calls);
    EXPECT_EQ(set.wordCount, 16u);
    EXPECT_EQ(set.byteCount, 64u);
    EXPECT_EQ(set.bitCount(), 2u);
    uint32_t first = 0;
    ASSERT_TRUE(set.firstSetBit(first));
    EXPECT_EQ(first, 200u);
    fill(set, {511});
    EXPECT_EQ(set.words, block);
    EXPECT_EQ(TavrStandInAllocationCalls(), calls);
    EXPECT_EQ(set.bitCount(), 1u);
    EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore + 1);
}

TEST_F(setFillTest, allocationFailureThrowsAndLeavesAnEmptyValidRecord)
{
    bitSet_c set;
    fill(set, {300});
    TavrStandInFailAllocationAt(1);
    EXPECT_THROW(fill(set, {700}), std::bad_alloc);
    EXPECT_EQ(set.words, nullptr);
    EXPECT_EQ(set.wordCount, 0u);
    EXPECT_EQ(set.byteCount, 0u);
    EXPECT_TRUE(set.isEmpty());
    EXPECT_EQ(TavrStandInLiveBlocks(), liveBefore);

    // Inline storage needs no allocation, so it works while the heap fails.
    TavrStandInFailAllAllocations(1);
    fill(set, {127});
    EXPECT_EQ(set.words, set.inlineWords);
    uint32_t first = 0;
    EXPECT_TRUE(set.firstSetBit(first));
    EXPECT_EQ(first, 127u);
}

}  // namespace
