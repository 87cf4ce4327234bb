#pragma once
// The set of object indices that crosses the host boundary. The host fills a
// record the driver owns and later frees, so the layout below, the bit order,
// the word size, the inline capacity and the storage rules are a contract with
// the host:
//  - index i is a member when byte i/8 of the storage (memory order from
//    `words`) has the bit 0x80 >> (i % 8) set;
//  - `words` is null, or points at `inlineWords`, or at a TavrNewMemory block of
//    at least `wordCount` words that the set owns;
//  - byteCount == 4 * wordCount.

#include <cstdint>
#include <cstring>
#include <new>

#include "containers/bitTables.h"
#include "host/tavrelcore.h"

// The layout is stated in bytes and the word-wise operations work on words;
// both agree only where a word's first byte in memory is its lowest.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "bitSet_c's words are little-endian");

class bitSet_c {
public:
    uint32_t* words;
    uint32_t inlineWords[4];
    uint32_t byteCount;
    uint32_t wordCount;

    static constexpr uint32_t inlineCapacityWords = 4;

    bitSet_c() : words(nullptr), byteCount(0), wordCount(0) {}  // inline words not cleared until used
    ~bitSet_c() {
        if (ownsHeapBlock()) TavrDeleteMemory(words);
        words = nullptr;
    }
    bitSet_c(const bitSet_c&) = delete;
    bitSet_c& operator=(const bitSet_c&) = delete;

    // Grows to n (> wordCount) words, the new ones zero. When TavrNewMemory
    // yields nothing the set keeps its storage, counts and members and the
    // result is false.
    bool resize(uint32_t n);

    // this = a AND b / a OR b; either operand may be this set. When the growth
    // they need fails they throw std::bad_alloc with the set unchanged, since
    // completing on fewer words would silently drop members.
    bitSet_c& assignAnd(const bitSet_c& a, const bitSet_c& b);
    bitSet_c& assignOr(const bitSet_c& a, const bitSet_c& b);

    uint32_t bitCount() const;
    bool isEmpty() const;
    // The smallest member >= from; found is untouched when there is none.
    bool nextSetBit(uint32_t from, uint32_t& found) const;
    bool firstSetBit(uint32_t& found) const;

private:
    bool ownsHeapBlock() const { return words != nullptr && words != inlineWords; }
    // Two adjacent words as one; memcpy, since the storage is only word-aligned.
    static uint64_t loadPair(const uint32_t* at) {
        uint64_t pair;
        std::memcpy(&pair, at, sizeof pair);
        return pair;
    }
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(words); }
    // The first word >= w that is not 0, or wordCount.
    uint32_t nonZeroWordFrom(uint32_t w) const;
    // The first byte >= b that is not 0, or byteCount.
    uint32_t nonZeroByteFrom(uint32_t b) const;
};

// The searches, AND and the emptiness test are inline: the driver's walks
// call them once per member, and both entries intersect two bond sets per
// bond.

inline bitSet_c& bitSet_c::assignAnd(const bitSet_c& a, const bitSet_c& b)
{
    const uint32_t m = a.wordCount < b.wordCount ? a.wordCount : b.wordCount;
    if (m > wordCount && !resize(m)) throw std::bad_alloc();
    // Read the operands only now: growth may have moved this set's storage,
    // and this set may be a or b.
    for (uint32_t i = 0; i < m; ++i) words[i] = a.words[i] & b.words[i];
    for (uint32_t i = m; i < wordCount; ++i) words[i] = 0;
    return *this;
}

inline uint32_t bitSet_c::nonZeroWordFrom(uint32_t w) const
{
    // Eight words per step, then two: the zero runs below a set's members
    // are long in a large molecule (a host sizes a set by its largest index).
    for (; w + 8 <= wordCount; w += 8) {
        if ((loadPair(words + w) | loadPair(words + w + 2) | loadPair(words + w + 4) | loadPair(words + w + 6)) != 0)
            break;
    }
    for (; w + 2 <= wordCount; w += 2) {
        if (loadPair(words + w) != 0) break;
    }
    while (w < wordCount && words[w] == 0) ++w;
    return w;
}

inline uint32_t bitSet_c::nonZeroByteFrom(uint32_t b) const
{
    if (b >= byteCount) return byteCount;
    // Whole words at a time: a zero word holds no member, and the sets the
    // host sizes by its largest index are mostly zero words below their few
    // members. The words are little-endian, so the byte k of a word (memory
    // order) is its bits 8k to 8k + 7: the bytes before b are masked off, and
    // the lowest set bit of a word lies in its first byte that is not 0.
    uint32_t w = b / 4;
    uint32_t word = words[w] & (~0u << (8 * (b & 3u)));
    if (word == 0) {
        w = nonZeroWordFrom(w + 1);
        if (w >= wordCount) return byteCount;
        word = words[w];
    }
    return 4 * w + static_cast<uint32_t>(__builtin_ctz(word)) / 8;
}

inline bool bitSet_c::nextSetBit(uint32_t from, uint32_t& found) const
{
    uint32_t b = from / 8;
    if (words == nullptr || b >= byteCount) return false;
    const uint8_t* data = bytes();
    uint8_t e = nextBitTable[data[b]][from % 8];
    if (e == 0) {
        b = nonZeroByteFrom(b + 1);
        if (b >= byteCount) return false;
        e = nextBitTable[data[b]][0];
    }
    found = 8 * b + e - 1;
    return true;
}

inline bool bitSet_c::isEmpty() const
{
    if (words == nullptr) return true;
    for (uint32_t i = 0; i < wordCount; ++i)
        if (words[i] != 0) return false;
    return true;
}

inline bool bitSet_c::firstSetBit(uint32_t& found) const
{
    if (words == nullptr) return false;
    const uint32_t b = nonZeroByteFrom(0);
    if (b >= byteCount) return false;
    found = 8 * b + nextBitTable[bytes()[b]][0] - 1;
    return true;
}
