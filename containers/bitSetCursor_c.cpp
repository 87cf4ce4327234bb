#include "containers/bitSetCursor_c.h"

#include "containers/bitSet_c.h"
#include "containers/bitTables.h"

void bitSetCursor_c::start(const bitSet_c& set) {
    byteIndex = 0;
    if (set.words == nullptr || set.byteCount == 0) {
        // Nothing to read: the walk ends at the first next() instead of reading
        // through a null pointer. Row 0 holds no member.
        bytePtr = nullptr;
        byteCount = 0;
        positionPtr = bitPositionTable[0];
        return;
    }
    bytePtr = reinterpret_cast<const uint8_t*>(set.words);
    byteCount = set.byteCount;
    positionPtr = bitPositionTable[*bytePtr];
}

bool bitSetCursor_c::next() {
    int8_t p = *positionPtr;
    while (p == -1) {
        if (++byteIndex >= byteCount) return false;
        ++bytePtr;
        positionPtr = bitPositionTable[*bytePtr];
        p = *positionPtr;
    }
    ++positionPtr;
    current = static_cast<uint32_t>(p) + 8 * byteIndex;
    return true;
}
