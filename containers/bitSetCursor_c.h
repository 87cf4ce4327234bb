#pragma once
// One byte-wise walk over the members of a bitSet_c in ascending order. The set
// must not change while the cursor walks it, and must have storage
// (byteCount != 0) when the walk starts.

#include <cstdint>

class bitSet_c;

class bitSetCursor_c {
public:
    const uint8_t* bytePtr;
    uint32_t byteCount;
    const int8_t* positionPtr;  // next unread entry of a bitPositionTable row; -1 ends it
    uint32_t current;           // the member found by the last successful next()
    uint32_t byteIndex;

    void start(const bitSet_c& set);
    bool next();  // false when no member is left, and on every later call
};
