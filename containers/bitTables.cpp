// The tables are computed by the compiler from their one-line definitions, so
// no row can be mistyped; the loops below run at compile time only.
#include "containers/bitTables.h"

namespace {

constexpr bool positionSet(unsigned v, unsigned p) { return (v & (0x80u >> p)) != 0; }

constexpr uint8_t nextEntry(unsigned v, unsigned k) {
    for (unsigned p = k; p < 8; ++p)
        if (positionSet(v, p)) return static_cast<uint8_t>(p + 1);
    return 0;
}

constexpr uint8_t countEntry(unsigned v) {
    uint8_t n = 0;
    for (unsigned p = 0; p < 8; ++p)
        if (positionSet(v, p)) ++n;
    return n;
}

// Entry k of row v: the position of the (k+1)th set bit, or -1 past the last.
constexpr int8_t positionEntry(unsigned v, unsigned k) {
    unsigned seen = 0;
    for (unsigned p = 0; p < 8; ++p) {
        if (!positionSet(v, p)) continue;
        if (seen == k) return static_cast<int8_t>(p);
        ++seen;
    }
    return -1;
}

}  // namespace

#define TAVR_NEXT_ROW(v)                                                                     \
    {                                                                                        \
        nextEntry(v, 0), nextEntry(v, 1), nextEntry(v, 2), nextEntry(v, 3), nextEntry(v, 4), \
            nextEntry(v, 5), nextEntry(v, 6), nextEntry(v, 7)                                \
    }
#define TAVR_COUNT_ROW(v) countEntry(v)
#define TAVR_POSITION_ROW(v)                                                                   \
    {                                                                                          \
        positionEntry(v, 0), positionEntry(v, 1), positionEntry(v, 2), positionEntry(v, 3),    \
            positionEntry(v, 4), positionEntry(v, 5), positionEntry(v, 6), positionEntry(v, 7), \
            positionEntry(v, 8)                                                                \
    }
#define TAVR_ROWS4(row, v) row(v), row(v + 1), row(v + 2), row(v + 3)
#define TAVR_ROWS16(row, v) \
    TAVR_ROWS4(row, v), TAVR_ROWS4(row, v + 4), TAVR_ROWS4(row, v + 8), TAVR_ROWS4(row, v + 12)
#define TAVR_ROWS64(row, v)                                                         \
    TAVR_ROWS16(row, v), TAVR_ROWS16(row, v + 16), TAVR_ROWS16(row, v + 32), \
        TAVR_ROWS16(row, v + 48)
#define TAVR_ROWS256(row) \
    TAVR_ROWS64(row, 0u), TAVR_ROWS64(row, 64u), TAVR_ROWS64(row, 128u), TAVR_ROWS64(row, 192u)

const uint8_t nextBitTable[256][8] = {TAVR_ROWS256(TAVR_NEXT_ROW)};
const uint8_t bitCountTable[256] = {TAVR_ROWS256(TAVR_COUNT_ROW)};
const int8_t bitPositionTable[256][9] = {TAVR_ROWS256(TAVR_POSITION_ROW)};

#undef TAVR_ROWS256
#undef TAVR_ROWS64
#undef TAVR_ROWS16
#undef TAVR_ROWS4
#undef TAVR_POSITION_ROW
#undef TAVR_COUNT_ROW
#undef TAVR_NEXT_ROW
