#pragma once
// How the reference host fills a bitSet_c record handed in by the driver: it
// describes the members in the record's layout, using the inline words up to
// 128 indices and a TavrNewMemory block beyond (throwing std::bad_alloc when
// none is available). A block the record owns is filled again when it covers
// the result, and given back otherwise.

#include <cstdint>

class bitSet_c;

namespace refhost {

// members: ascending indices; the set is sized to just cover the largest.
void fillSet(bitSet_c& set, const uint32_t* members, uint32_t count);

// The two steps of fillSet, for fills that gather members from several lists:
// prepareSet reuses or gives back owned storage, sizes the set to cover 0..largest with
// every bit clear (no storage at all when !anyMember) and returns its first
// byte (null without storage); markMember then adds one index <= largest.
uint8_t* prepareSet(bitSet_c& set, bool anyMember, uint32_t largest);
inline void markMember(uint8_t* bytes, uint32_t index)
{
    bytes[index >> 3] |= static_cast<uint8_t>(0x80u >> (index & 7u));
}

}  // namespace refhost
