#include "setBuilder.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "host/tavrelcore.h"

namespace containersTest {

namespace {

void fill(bitSet_c& set, uint32_t* storage, std::initializer_list<uint32_t> members, uint32_t wordCount) {
    std::memset(storage, 0, 4 * size_t{wordCount});
    auto* bytes = reinterpret_cast<uint8_t*>(storage);
    for (uint32_t i : members) {
        if (i >= 32 * wordCount) throw std::logic_error("member beyond the storage");
        bytes[i / 8] |= static_cast<uint8_t>(0x80u >> (i % 8));
    }
    set.words = storage;
    set.wordCount = wordCount;
    set.byteCount = 4 * wordCount;
}

uint32_t* heapBlock(uint32_t wordCount) {
    void* block = TavrNewMemory(4 * size_t{wordCount});
    if (!block) throw std::bad_alloc();
    return static_cast<uint32_t*>(block);
}

}  // namespace

void buildSet(bitSet_c& set, std::initializer_list<uint32_t> members, uint32_t wordCount) {
    if (wordCount > 4) return buildHeapSet(set, members, wordCount);
    fill(set, set.inlineWords, members, wordCount);
}

void buildHeapSet(bitSet_c& set, std::initializer_list<uint32_t> members, uint32_t wordCount) {
    fill(set, heapBlock(wordCount), members, wordCount);
}

std::vector<uint32_t> membersOf(const bitSet_c& set) {
    std::vector<uint32_t> members;
    if (!set.words) return members;
    const auto* bytes = reinterpret_cast<const uint8_t*>(set.words);
    for (uint32_t i = 0; i < 8 * set.byteCount; ++i)
        if (bytes[i / 8] & (0x80u >> (i % 8))) members.push_back(i);
    return members;
}

}  // namespace containersTest
