#pragma once
// Sets built and read by hand through the record's public fields, the way a
// host fills them: index i is bit 0x80 >> (i % 8) of byte i / 8.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "containers/bitSet_c.h"

namespace containersTest {

// Gives the set wordCount words holding exactly the members: the inline words
// up to four words, a TavrNewMemory block of exactly wordCount words beyond.
void buildSet(bitSet_c& set, std::initializer_list<uint32_t> members, uint32_t wordCount);
// The same, always on a TavrNewMemory block of exactly wordCount words.
void buildHeapSet(bitSet_c& set, std::initializer_list<uint32_t> members, uint32_t wordCount);
// The members read bit by bit from the storage, ascending.
std::vector<uint32_t> membersOf(const bitSet_c& set);

}  // namespace containersTest
