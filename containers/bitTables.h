#pragma once
// Constant byte tables of the bit set. Bit positions count from the most
// significant bit: position p means the mask 0x80 >> p.

#include <cstdint>

// Entry k of row v: 1 + the smallest set position p >= k of v, 0 when none.
extern const uint8_t nextBitTable[256][8];
// The number of set bits of v.
extern const uint8_t bitCountTable[256];
// The number of set bits of a 32-bit word, a byte at a time through the table.
inline uint32_t wordBitCount(uint32_t word)
{
    return uint32_t{bitCountTable[word & 0xFFu]} + bitCountTable[(word >> 8) & 0xFFu] +
           bitCountTable[(word >> 16) & 0xFFu] + bitCountTable[word >> 24];
}
// The set positions of v ascending, then -1 (0xFF) in every remaining entry;
// nine entries, so that every row, that of 0xFF included, ends with -1.
extern const int8_t bitPositionTable[256][9];
