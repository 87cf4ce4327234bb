// Growth of an atom's bond list past its inline room: the slow path, taken
// only by atoms with many bonds.
#include "refhost/indexList.h"

#include <cstring>

namespace refhost {

void indexList_c::grow()
{
    const uint32_t capacity = capacity_ * 2;
    uint32_t* grown = new uint32_t[capacity];
    std::memcpy(grown, data(), size_ * sizeof(uint32_t));
    if (onHeap())
        delete[] heap_;
    heap_ = grown;
    capacity_ = capacity;
}

}  // namespace refhost
