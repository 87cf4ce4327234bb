#pragma once
// How the reference host fills a bitSet_c record handed in by the driver: it
// gives back storage the record already owns, then describes the members in
// the record's layout, using the inline words up to 128 indices and a
// TavrNewMemory block beyond (throwing std::bad_alloc when none is available).

#include <cstdint>

class bitSet_c;

namespace refhost {

// members: ascending indices; the set is sized to just cover the largest.
void fillSet(bitSet_c& set, const uint32_t* members, uint32_t count);

}  // namespace refhost
