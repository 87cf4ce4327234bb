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

class bitSet_c {
public:
    uint32_t* words;
    uint32_t inlineWords[4];
    uint32_t byteCount;
    uint32_t wordCount;

    static constexpr uint32_t inlineCapacityWords = 4;

    bitSet_c();  // no storage; the inline words are not cleared until used
    ~bitSet_c();
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
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(words); }
};
