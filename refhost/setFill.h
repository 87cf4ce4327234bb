#pragma once
// How the reference host fills a bitSet_c record handed in by the driver: it
// describes the members in the record's layout, using the inline words up to
// 128 indices and a TavrNewMemory block beyond (throwing std::bad_alloc when
// none is available). A block the record owns is filled again when it covers
// the result, and given back otherwise.
//
// The driver asks for several sets per atom, nearly all of them small enough
// for the record, so that case is inline here and the rest out of line.

#include <cstdint>

#include "containers/bitSet_c.h"

namespace refhost {

// The two steps of a fill: prepareSet reuses or gives back owned storage,
// sizes the set to cover 0..largest with every bit clear (no storage at all
// when !anyMember) and returns its first byte (null without storage);
// markMember then adds one index <= largest. prepareLargeSet is prepareSet's
// path for everything but a result that fits a record without a block.
uint8_t* prepareLargeSet(bitSet_c& set, bool anyMember, uint32_t largest);

inline uint8_t* prepareSet(bitSet_c& set, bool anyMember, uint32_t largest)
{
    const bool ownsBlock = set.words != nullptr && set.words != set.inlineWords;
    if (!anyMember || ownsBlock || largest >= 32 * bitSet_c::inlineCapacityWords)
        return prepareLargeSet(set, anyMember, largest);
    for (uint32_t& word : set.inlineWords)
        word = 0;
    set.words = set.inlineWords;
    set.wordCount = largest / 32 + 1;
    set.byteCount = 4 * set.wordCount;
    return reinterpret_cast<uint8_t*>(set.inlineWords);
}

inline void markMember(uint8_t* bytes, uint32_t index)
{
    bytes[index >> 3] |= static_cast<uint8_t>(0x80u >> (index & 7u));
}

// The set of the members, none of them above largest.
inline void fillSetUpTo(bitSet_c& set, const uint32_t* members, uint32_t count, uint32_t largest)
{
    uint8_t* bytes = prepareSet(set, count != 0, largest);
    for (uint32_t k = 0; k < count; ++k)
        markMember(bytes, members[k]);
}

// members: indices in any order; the set is sized to just cover the largest.
inline void fillSet(bitSet_c& set, const uint32_t* members, uint32_t count)
{
    uint32_t largest = 0;
    for (uint32_t k = 0; k < count; ++k)
        largest = members[k] > largest ? members[k] : largest;
    fillSetUpTo(set, members, count, largest);
}

// members: indices in ascending order, so the last is the largest. The
// molecule's index lists are all ascending, since indices grow in creation
// order and objects are never removed.
inline void fillAscendingSet(bitSet_c& set, const uint32_t* members, uint32_t count)
{
    fillSetUpTo(set, members, count, count != 0 ? members[count - 1] : 0);
}

}  // namespace refhost
