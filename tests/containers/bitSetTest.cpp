#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <new>
#include <ostream>
#include <utility>
#include <vector>

#include "containers/bitSet_c.h"
#include "containers/bitSetCursor_c.h"
#include "corelib/standInControl.h"
#include "recordingHeap.h"
#include "setBuilder.h"

namespace {

using containersTest::buildHeapSet;
using containersTest::buildSet;
using containersTest::heapLog;
using containersTest::membersOf;
using members_t = std::vector<uint32_t>;

class bitSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveAtStart_ = TavrStandInLiveBlocks();
        heapLog().clear();
    }
    void TearDown() override {
        TavrStandInFailAllocationAt(0);
        EXPECT_EQ(TavrStandInLiveBlocks(), liveAtStart_) << "a heap block was leaked or released twice";
    }
    long liveAtStart_ = 0;
};

members_t walkByIndex(const bitSet_c& set) {
    members_t seen;
    uint32_t i = 0;
    for (bool more = set.nextSetBit(0, i); more; more = set.nextSetBit(i + 1, i)) {
        if (!seen.empty() && i <= seen.back()) {
            ADD_FAILURE() << "nextSetBit went back to " << i << " after " << seen.back();
            break;
        }
        seen.push_back(i);
    }
    return seen;
}

members_t walkByCursor(const bitSet_c& set) {
    members_t seen;
    bitSetCursor_c cursor;
    cursor.start(set);
    while (cursor.next()) seen.push_back(cursor.current);
    EXPECT_FALSE(cursor.next()) << "next() must stay false after the end";
    EXPECT_FALSE(cursor.next());
    return seen;
}

TEST_F(bitSetTest, freshSetReadsEmptyEverywhereAndOwnsNothing) {
    {
        bitSet_c set;
        EXPECT_EQ(set.words, nullptr);
        EXPECT_EQ(set.byteCount, 0u);
        EXPECT_EQ(set.wordCount, 0u);
        EXPECT_EQ(set.bitCount(), 0u);
        EXPECT_TRUE(set.isEmpty());
        uint32_t found = 77;
        EXPECT_FALSE(set.nextSetBit(0, found));
        EXPECT_FALSE(set.firstSetBit(found));
        EXPECT_EQ(found, 77u);
        EXPECT_TRUE(walkByCursor(set).empty());
    }
    EXPECT_TRUE(heapLog().requested.empty());
    EXPECT_TRUE(heapLog().released.empty());
}

// One member at the byte and word edges, in a set just large enough to hold it:
// inline up to index 127, on a heap block from 128 on.
class singleMemberTest : public bitSetTest, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(singleMemberTest, everyReadingFindsTheOneMember) {
    const uint32_t i = GetParam();
    bitSet_c set;
    buildSet(set, {i}, i / 32 + 1);

    EXPECT_EQ(set.bitCount(), 1u);
    EXPECT_FALSE(set.isEmpty());
    uint32_t found = 0;
    ASSERT_TRUE(set.firstSetBit(found));
    EXPECT_EQ(found, i);
    ASSERT_TRUE(set.nextSetBit(0, found));
    EXPECT_EQ(found, i);
    ASSERT_TRUE(set.nextSetBit(i, found));
    EXPECT_EQ(found, i);
    if (i > 0) {
        ASSERT_TRUE(set.nextSetBit(i - 1, found));
        EXPECT_EQ(found, i);
    }
    EXPECT_FALSE(set.nextSetBit(i + 1, found));
    EXPECT_EQ(walkByCursor(set), members_t{i});
}

TEST_P(singleMemberTest, andAndOrKeepTheMemberAtItsPlace) {
    const uint32_t i = GetParam();
    const uint32_t wordCount = i / 32 + 1;
    bitSet_c set, neighbours, both, empty;
    buildSet(set, {i}, wordCount);
    if (i > 0)
        buildSet(neighbours, {i - 1, i + 1}, (i + 1) / 32 + 1);
    else
        buildSet(neighbours, {1}, 1);
    buildSet(both, {i, i + 1}, (i + 1) / 32 + 1);

    bitSet_c result;
    result.assignAnd(set, neighbours);
    EXPECT_TRUE(result.isEmpty());
    EXPECT_EQ(result.bitCount(), 0u);

    result.assignAnd(set, both);
    EXPECT_EQ(membersOf(result), members_t{i});
    EXPECT_FALSE(result.isEmpty());

    bitSet_c united;
    united.assignOr(empty, set);
    EXPECT_EQ(united.wordCount, wordCount);
    EXPECT_EQ(membersOf(united), members_t{i});
    EXPECT_EQ(walkByIndex(united), members_t{i});
}

INSTANTIATE_TEST_SUITE_P(byteAndWordEdges, singleMemberTest,
                         ::testing::Values(0u, 7u, 8u, 31u, 32u, 127u, 128u, 129u, 200u));

struct searchCase_c {
    const char* name;
    std::initializer_list<uint32_t> members;
    uint32_t wordCount;
    uint32_t from;
    bool found;
    uint32_t expected;
};

TEST_F(bitSetTest, nextSetBitFindsTheSmallestMemberAtOrAfterFrom) {
    const searchCase_c cases[] = {
        {"first byte 0x01 holds 7", {7}, 1, 0, true, 7},
        {"first byte 0x80 holds 0", {0}, 1, 0, true, 0},
        {"only byte 1 = 0x80 holds 8", {8}, 1, 0, true, 8},
        {"from is a member", {3, 9}, 1, 9, true, 9},
        {"from inside a byte skips its lower bits", {8, 10, 15}, 1, 11, true, 15},
        {"many zero bytes are crossed", {0, 200}, 7, 1, true, 200},
        {"nothing at or after from", {3, 20}, 1, 21, false, 0},
        {"from at the end of the storage", {31}, 1, 32, false, 0},
        {"from far beyond the storage", {31}, 1, 1000000, false, 0},
        {"storage without members", {}, 3, 0, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bitSet_c set;
        buildSet(set, c.members, c.wordCount);
        uint32_t found = 12345;
        EXPECT_EQ(set.nextSetBit(c.from, found), c.found);
        EXPECT_EQ(found, c.found ? c.expected : 12345u);
        if (c.from == 0) {
            found = 12345;
            EXPECT_EQ(set.firstSetBit(found), c.found);
            EXPECT_EQ(found, c.found ? c.expected : 12345u);
        }
    }
}

// The searches and the count pass whole zero words; from every start, in sets whose members
// sit at the edges of bytes and words with runs of zero words between them,
// they must find what a look at every single index finds.
TEST_F(bitSetTest, searchesAgreeWithAnIndexByIndexLookFromEveryStart) {
    const std::initializer_list<uint32_t> layouts[] = {
        {}, {0}, {31}, {32}, {33}, {95, 96}, {7, 8, 39, 40, 255}, {3, 130, 131, 250}, {255},
    };
    // 8 words: the two-word steps; 40 words: the eight-word steps, with
    // members before, inside and after a run of eight zero words.
    const std::initializer_list<uint32_t> longLayouts[] = {
        {}, {0}, {255}, {256}, {511, 512}, {767}, {1279}, {31, 800}, {300, 1024, 1025},
    };
    std::vector<std::pair<std::initializer_list<uint32_t>, uint32_t>> sets;
    for (const auto& layout : layouts) sets.emplace_back(layout, 8);
    for (const auto& layout : longLayouts) sets.emplace_back(layout, 40);
    for (const auto& [layout, words] : sets) {
        const members_t members(layout);
        bitSet_c set;
        buildSet(set, layout, words);
        const uint32_t end = 8 * set.byteCount;
        for (uint32_t from = 0; from <= end + 9; ++from) {
            const auto expected = std::lower_bound(members.begin(), members.end(), from);
            uint32_t found = 999;
            ASSERT_EQ(set.nextSetBit(from, found), expected != members.end()) << "from " << from;
            if (expected != members.end()) {
                ASSERT_EQ(found, *expected) << "from " << from;
            }
        }
        EXPECT_EQ(set.bitCount(), members.size());
        uint32_t first = 999;
        ASSERT_EQ(set.firstSetBit(first), !members.empty());
        if (!members.empty()) {
            EXPECT_EQ(first, members.front());
        }
    }
}

TEST_F(bitSetTest, countAndEmptinessAgreeWithTheBytes) {
    bitSet_c none, some, zeros;
    buildSet(some, {0, 7, 8, 15, 16, 31, 32, 100, 127, 128, 129, 200, 223}, 7);
    buildSet(zeros, {}, 6);
    EXPECT_EQ(some.bitCount(), 13u);
    EXPECT_FALSE(some.isEmpty());
    EXPECT_EQ(zeros.bitCount(), 0u);
    EXPECT_TRUE(zeros.isEmpty());
    EXPECT_EQ(none.bitCount(), 0u);
    EXPECT_TRUE(none.isEmpty());
}

TEST_F(bitSetTest, walksVisitZeroNineAndTwoHundredThenEnd) {
    bitSet_c set;
    buildSet(set, {0, 9, 200}, 7);
    EXPECT_EQ(walkByIndex(set), (members_t{0, 9, 200}));
    EXPECT_EQ(walkByCursor(set), (members_t{0, 9, 200}));
}

TEST_F(bitSetTest, cursorYieldsAFullByteAndSkipsZeroBytes) {
    bitSet_c fullByte, lastByteFull;
    buildSet(fullByte, {8, 9, 10, 11, 12, 13, 14, 15, 40}, 2);
    EXPECT_EQ(walkByCursor(fullByte), (members_t{8, 9, 10, 11, 12, 13, 14, 15, 40}));
    buildSet(lastByteFull, {24, 25, 26, 27, 28, 29, 30, 31}, 1);
    EXPECT_EQ(walkByCursor(lastByteFull), (members_t{24, 25, 26, 27, 28, 29, 30, 31}));
}

TEST_F(bitSetTest, cursorOnASetWithoutBytesEndsAtOnce) {
    bitSet_c none;
    EXPECT_TRUE(walkByCursor(none).empty());
}

TEST_F(bitSetTest, growthWithinTheRecordClearsAllInlineWordsAndAsksNoMemory) {
    bitSet_c set;
    std::fill(std::begin(set.inlineWords), std::end(set.inlineWords), 0xFFFFFFFFu);
    ASSERT_TRUE(set.resize(3));
    EXPECT_EQ(set.words, set.inlineWords);
    EXPECT_EQ(set.wordCount, 3u);
    EXPECT_EQ(set.byteCount, 12u);
    for (uint32_t w : set.inlineWords) EXPECT_EQ(w, 0u);
    EXPECT_TRUE(heapLog().requested.empty());
}

TEST_F(bitSetTest, inlineGrowthClearsOnlyTheNewWords) {
    {
        bitSet_c set;
        buildSet(set, {5, 40}, 2);
        set.inlineWords[2] = set.inlineWords[3] = 0xFFFFFFFFu;
        ASSERT_TRUE(set.resize(4));
        EXPECT_EQ(set.words, set.inlineWords);
        EXPECT_EQ(set.byteCount, 16u);
        EXPECT_EQ(membersOf(set), (members_t{5, 40}));
    }
    EXPECT_TRUE(heapLog().requested.empty());
    EXPECT_TRUE(heapLog().released.empty()) << "inline storage must never reach TavrDeleteMemory";
}

TEST_F(bitSetTest, growthBeyondTheRecordTakesABlockOfExactlyTheWords) {
    for (uint32_t n : {5u, 7u, 100u}) {
        SCOPED_TRACE(n);
        heapLog().clear();
        {
            bitSet_c set;
            ASSERT_TRUE(set.resize(n));
            ASSERT_EQ(heapLog().requested, std::vector<size_t>{4 * size_t{n}});
            EXPECT_EQ(set.words, heapLog().handedOut[0]);
            EXPECT_EQ(set.wordCount, n);
            EXPECT_EQ(set.byteCount, 4 * n);
            EXPECT_TRUE(set.isEmpty());
            EXPECT_TRUE(membersOf(set).empty());
        }
        EXPECT_EQ(heapLog().released, std::vector<void*>{heapLog().handedOut[0]});
    }
}

TEST_F(bitSetTest, movingFromInlineToHeapKeepsMembersAndReleasesNoInlineWords) {
    void* block = nullptr;
    {
        bitSet_c set;
        buildSet(set, {0, 127}, 4);
        ASSERT_TRUE(set.resize(6));
        ASSERT_EQ(heapLog().requested, std::vector<size_t>{24});
        block = heapLog().handedOut[0];
        EXPECT_EQ(set.words, block);
        EXPECT_EQ(membersOf(set), (members_t{0, 127}));
        EXPECT_EQ(set.words[4], 0u);
        EXPECT_EQ(set.words[5], 0u);
        EXPECT_TRUE(heapLog().released.empty());
    }
    EXPECT_EQ(heapLog().released, std::vector<void*>{block});
}

TEST_F(bitSetTest, movingToALargerBlockReleasesTheOldOneExactlyOnce) {
    bitSet_c set;
    buildHeapSet(set, {3, 150}, 5);
    void* old = set.words;
    heapLog().clear();
    ASSERT_TRUE(set.resize(9));
    ASSERT_EQ(heapLog().requested, std::vector<size_t>{36});
    EXPECT_EQ(set.words, heapLog().handedOut[0]);
    EXPECT_EQ(heapLog().released, std::vector<void*>{old});
    EXPECT_EQ(membersOf(set), (members_t{3, 150}));
    EXPECT_EQ(set.bitCount(), 2u);
}

TEST_F(bitSetTest, resizeNeverShrinks) {
    bitSet_c set;
    buildHeapSet(set, {3, 150}, 5);
    void* storage = set.words;
    heapLog().clear();
    EXPECT_TRUE(set.resize(2));
    EXPECT_TRUE(set.resize(5));
    EXPECT_EQ(set.words, storage);
    EXPECT_EQ(set.wordCount, 5u);
    EXPECT_EQ(membersOf(set), (members_t{3, 150}));
    EXPECT_TRUE(heapLog().requested.empty());
    EXPECT_TRUE(heapLog().released.empty());
}

// A host may attach a block of exactly wordCount words to a small set; growing
// it within four words must not clear words past that block.
TEST_F(bitSetTest, smallHostBlockGrowsIntoTheRecordAndIsReleased) {
    bitSet_c set;
    buildHeapSet(set, {5, 40}, 2);
    void* hostBlock = set.words;
    heapLog().clear();
    ASSERT_TRUE(set.resize(4));
    EXPECT_EQ(set.words, set.inlineWords);
    EXPECT_EQ(set.byteCount, 16u);
    EXPECT_EQ(membersOf(set), (members_t{5, 40}));
    EXPECT_TRUE(heapLog().requested.empty());
    EXPECT_EQ(heapLog().released, std::vector<void*>{hostBlock});
}

TEST_F(bitSetTest, failedGrowthLeavesStorageCountsAndMembers) {
    bitSet_c inlineSet, heapSet;
    buildSet(inlineSet, {1, 100}, 4);
    buildHeapSet(heapSet, {2, 130}, 5);
    void* heapStorage = heapSet.words;
    heapLog().clear();

    TavrStandInFailAllocationAt(1);
    EXPECT_FALSE(inlineSet.resize(8));
    TavrStandInFailAllocationAt(1);
    EXPECT_FALSE(heapSet.resize(9));

    EXPECT_EQ(inlineSet.words, inlineSet.inlineWords);
    EXPECT_EQ(inlineSet.wordCount, 4u);
    EXPECT_EQ(inlineSet.byteCount, 16u);
    EXPECT_EQ(membersOf(inlineSet), (members_t{1, 100}));
    EXPECT_EQ(heapSet.words, heapStorage);
    EXPECT_EQ(heapSet.wordCount, 5u);
    EXPECT_EQ(heapSet.byteCount, 20u);
    EXPECT_EQ(membersOf(heapSet), (members_t{2, 130}));
    EXPECT_TRUE(heapLog().released.empty());
}

TEST_F(bitSetTest, andOfTwoAndSixWordsIntoAFreshSetGivesTwoWords) {
    bitSet_c a, b, result;
    buildSet(a, {1, 40, 63}, 2);
    buildSet(b, {1, 63, 64, 180}, 6);
    heapLog().clear();
    result.assignAnd(a, b);
    EXPECT_EQ(result.wordCount, 2u);
    EXPECT_EQ(result.words, result.inlineWords);
    EXPECT_EQ(membersOf(result), (members_t{1, 63}));
    EXPECT_TRUE(heapLog().requested.empty());
}

TEST_F(bitSetTest, andIntoALargerSetKeepsItsWordsAndClearsTheTop) {
    bitSet_c a, b, result;
    buildSet(a, {1, 40, 63}, 2);
    buildSet(b, {1, 63, 64, 180}, 6);
    buildHeapSet(result, {0, 63, 70, 100, 130, 159}, 5);
    void* storage = result.words;
    heapLog().clear();
    result.assignAnd(a, b);
    EXPECT_EQ(result.wordCount, 5u);
    EXPECT_EQ(result.words, storage);
    EXPECT_EQ(membersOf(result), (members_t{1, 63}));
    EXPECT_TRUE(heapLog().requested.empty());
}

TEST_F(bitSetTest, orIntoTheShorterOperandMovesItToAHeapBlock) {
    bitSet_c a, b;
    buildSet(a, {1, 40, 63}, 2);
    buildSet(b, {1, 63, 64, 180}, 6);
    heapLog().clear();
    a.assignOr(a, b);
    ASSERT_EQ(heapLog().requested, std::vector<size_t>{24});
    EXPECT_EQ(a.words, heapLog().handedOut[0]);
    EXPECT_EQ(a.wordCount, 6u);
    EXPECT_EQ(membersOf(a), (members_t{1, 40, 63, 64, 180}));
    EXPECT_TRUE(heapLog().released.empty()) << "the old inline words were passed to TavrDeleteMemory";
}

enum class op_e { conjunction, union_ };
// The separate result is either smaller than both operands or larger, with
// members of its own above the operands' words that must be cleared.
enum class target_e { firstOperand, secondOperand, bothOperands, separateSmall, separateLarge };

struct aliasCase_c {
    op_e op;
    target_e target;
    uint32_t aWords;
    uint32_t bWords;
};

std::vector<uint32_t> pick(std::initializer_list<uint32_t> pool, uint32_t wordCount) {
    std::vector<uint32_t> kept;
    for (uint32_t i : pool)
        if (i < 32 * wordCount) kept.push_back(i);
    return kept;
}

void buildFrom(bitSet_c& set, const std::vector<uint32_t>& members, uint32_t wordCount) {
    buildSet(set, {}, wordCount);
    auto* bytes = reinterpret_cast<uint8_t*>(set.words);
    for (uint32_t i : members) bytes[i / 8] |= static_cast<uint8_t>(0x80u >> (i % 8));
}

void PrintTo(const aliasCase_c& c, std::ostream* os) {
    static const char* const targets[] = {"a", "b", "a given as both", "a small set", "a large set"};
    *os << (c.op == op_e::conjunction ? "and" : "or") << " of " << c.aWords << " and " << c.bWords
        << " words into " << targets[static_cast<int>(c.target)];
}

class aliasTest : public bitSetTest, public ::testing::WithParamInterface<aliasCase_c> {};

// The result may be either operand or both; whatever it is, it must come out as
// the true intersection or union, sized as the operation prescribes.
TEST_P(aliasTest, resultIsTheSetOperationWhicheverSetReceivesIt) {
    const aliasCase_c c = GetParam();
    const auto aMembers = pick({0, 7, 8, 40, 63, 100, 129, 160, 200}, c.aWords);
    const auto bMembers = pick({7, 9, 40, 64, 100, 128, 129, 200, 220}, c.bWords);
    bitSet_c a, b, separateSmall, separateLarge;
    buildFrom(a, aMembers, c.aWords);
    buildFrom(b, bMembers, c.bWords);
    buildFrom(separateSmall, {3}, 1);
    buildFrom(separateLarge, {3, 250}, 8);

    const bitSet_c& second = c.target == target_e::bothOperands ? a : b;
    const auto& secondMembers = c.target == target_e::bothOperands ? aMembers : bMembers;
    bitSet_c& result = c.target == target_e::secondOperand   ? b
                       : c.target == target_e::separateSmall ? separateSmall
                       : c.target == target_e::separateLarge ? separateLarge
                                                             : a;
    const uint32_t resultWordsBefore = result.wordCount;
    const uint32_t secondWords = second.wordCount;

    std::vector<uint32_t> expected;
    uint32_t neededWords = 0;
    if (c.op == op_e::conjunction) {
        std::set_intersection(aMembers.begin(), aMembers.end(), secondMembers.begin(), secondMembers.end(),
                              std::back_inserter(expected));
        neededWords = std::min(c.aWords, secondWords);
        result.assignAnd(a, second);
    } else {
        std::set_union(aMembers.begin(), aMembers.end(), secondMembers.begin(), secondMembers.end(),
                       std::back_inserter(expected));
        neededWords = std::max(c.aWords, secondWords);
        result.assignOr(a, second);
    }
    EXPECT_EQ(membersOf(result), expected);
    EXPECT_EQ(result.wordCount, std::max(resultWordsBefore, neededWords));
    EXPECT_EQ(result.byteCount, 4 * result.wordCount);
}

std::vector<aliasCase_c> aliasCases() {
    std::vector<aliasCase_c> cases;
    for (op_e op : {op_e::conjunction, op_e::union_})
        for (target_e target : {target_e::firstOperand, target_e::secondOperand, target_e::bothOperands,
                                target_e::separateSmall, target_e::separateLarge})
            for (auto words : {std::pair<uint32_t, uint32_t>{2, 6}, {6, 2}, {5, 7}, {3, 3}})
                cases.push_back({op, target, words.first, words.second});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(operandsAndResult, aliasTest, ::testing::ValuesIn(aliasCases()));

TEST_F(bitSetTest, operationsOnSetsWithoutStorageStayWithoutStorage) {
    bitSet_c none1, none2, result;
    result.assignAnd(none1, none2);
    result.assignOr(none1, none2);
    EXPECT_EQ(result.words, nullptr);
    EXPECT_EQ(result.wordCount, 0u);

    bitSet_c full, other;
    buildSet(full, {2, 99}, 4);
    full.assignAnd(full, none1);
    EXPECT_EQ(full.wordCount, 4u);
    EXPECT_TRUE(full.isEmpty());
    buildSet(other, {2, 99}, 4);
    other.assignOr(none1, other);
    EXPECT_EQ(membersOf(other), (members_t{2, 99}));
}

// Finishing on the words the set has would silently drop members, so failed
// growth throws and leaves the set exactly as it was.
TEST_F(bitSetTest, failedGrowthInAndOrThrowsAndLeavesTheSet) {
    for (op_e op : {op_e::conjunction, op_e::union_}) {
        for (uint32_t startWords : {2u, 5u}) {
            SCOPED_TRACE(testing::Message() << (op == op_e::conjunction ? "and" : "or") << " " << startWords);
            bitSet_c target, big1, big2;
            buildSet(target, {3, 50}, startWords);
            buildSet(big1, {3, 50, 240}, 8);
            buildSet(big2, {3, 200}, 8);
            void* storage = target.words;
            heapLog().clear();

            TavrStandInFailAllocationAt(1);
            if (op == op_e::conjunction)
                EXPECT_THROW(target.assignAnd(big1, big2), std::bad_alloc);
            else
                EXPECT_THROW(target.assignOr(target, big2), std::bad_alloc);

            EXPECT_EQ(target.words, storage);
            EXPECT_EQ(target.wordCount, startWords);
            EXPECT_EQ(target.byteCount, 4 * startWords);
            EXPECT_EQ(membersOf(target), (members_t{3, 50}));
            EXPECT_TRUE(heapLog().released.empty());
        }
    }
}

}  // namespace
