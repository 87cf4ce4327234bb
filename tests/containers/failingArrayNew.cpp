#include "failingArrayNew.h"

#include <cstdlib>
#include <new>

namespace {
long countdown = 0;
}  // namespace

namespace containersTest {

void failArrayNewAt(long nth) { countdown = nth > 0 ? nth : 0; }

#ifdef TAVR_KEEP_TOOL_HEAP
bool arrayNewReplaced() { return false; }
#else
bool arrayNewReplaced() { return true; }
#endif

}  // namespace containersTest

#ifndef TAVR_KEEP_TOOL_HEAP

void* operator new[](std::size_t size) {
    if (countdown > 0 && --countdown == 0) throw std::bad_alloc();
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete[](void* block) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

#endif
