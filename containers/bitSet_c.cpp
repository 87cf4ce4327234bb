#include "containers/bitSet_c.h"

#include <cstring>
#include <new>

#include "host/tavrelcore.h"

namespace {

void clearWords(uint32_t* words, uint32_t from, uint32_t to) {
    if (from < to) std::memset(words + from, 0, sizeof(uint32_t) * (to - from));
}

}  // namespace

bool bitSet_c::resize(uint32_t n) {
    // Sets never shrink; copying wordCount words into a smaller block would
    // overrun it.
    if (n <= wordCount) return true;
    if (n > inlineCapacityWords) {
        auto* block = static_cast<uint32_t*>(TavrNewMemory(sizeof(uint32_t) * size_t{n}));
        if (!block) return false;
        if (wordCount != 0) std::memcpy(block, words, sizeof(uint32_t) * wordCount);
        clearWords(block, wordCount, n);
        if (ownsHeapBlock()) TavrDeleteMemory(words);
        words = block;
    } else if (words == nullptr) {
        clearWords(inlineWords, 0, inlineCapacityWords);
        words = inlineWords;
    } else if (ownsHeapBlock()) {
        // A host may attach a block of exactly wordCount words; clearing the
        // new words in place would write past it. The inline words hold any
        // set of this size, so the members move there and the block goes back.
        std::memcpy(inlineWords, words, sizeof(uint32_t) * wordCount);
        clearWords(inlineWords, wordCount, n);
        TavrDeleteMemory(words);
        words = inlineWords;
    } else {
        clearWords(words, wordCount, n);
    }
    wordCount = n;
    byteCount = 4 * n;
    return true;
}

bitSet_c& bitSet_c::assignOr(const bitSet_c& a, const bitSet_c& b) {
    const uint32_t top = a.wordCount > b.wordCount ? a.wordCount : b.wordCount;
    if (top > wordCount && !resize(top)) throw std::bad_alloc();
    // Counts and storage are read after growth: when this set is an operand,
    // growth has lengthened that operand by zero words.
    const bitSet_c& longer = a.wordCount >= b.wordCount ? a : b;
    const uint32_t shared = a.wordCount < b.wordCount ? a.wordCount : b.wordCount;
    for (uint32_t i = 0; i < shared; ++i) words[i] = a.words[i] | b.words[i];
    for (uint32_t i = shared; i < top; ++i) words[i] = longer.words[i];
    if (words) clearWords(words, top, wordCount);
    return *this;
}

uint32_t bitSet_c::bitCount() const {
    if (!words) return 0;
    uint32_t n = 0;
    // Zero words hold no member; the bytes of the others go through the table.
    for (uint32_t w = nonZeroWordFrom(0); w < wordCount; w = nonZeroWordFrom(w + 1)) n += wordBitCount(words[w]);
    return n;
}

