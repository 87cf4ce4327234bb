// The reference host's side of the bit set contract: it writes only the
// record's fields, never calls the driver's bitSet_c code, and attaches storage
// that TavrDeleteMemory can take back.
#include "refhost/setFill.h"

#include <cstring>
#include <new>

#include "containers/bitSet_c.h"
#include "host/tavrelcore.h"

namespace refhost {

namespace {

// A result beyond the inline words gets a block of whole eight-word steps and
// keeps them all as its words (the ones past the largest member are zero). The
// driver refills the same scratch sets for neighbouring atoms, whose results
// differ by a word or two: a set sized to the word would give its block back
// and take a new one whenever a result outgrew the one before.
constexpr uint32_t blockStepWords = 8;

uint32_t blockWords(uint32_t wordCount)
{
    return (wordCount + blockStepWords - 1) / blockStepWords * blockStepWords;
}

}  // namespace

uint8_t* prepareLargeSet(bitSet_c& set, bool anyMember, uint32_t largest)
{
    const uint32_t needed = anyMember ? largest / 32 + 1 : 0;
    const uint32_t wordCount = needed > bitSet_c::inlineCapacityWords ? blockWords(needed) : needed;
    const bool ownsBlock = set.words != nullptr && set.words != set.inlineWords;
    // A block the set owns that already covers the result is filled again;
    // the set's word count is all the host knows of the block's size.
    if (ownsBlock && wordCount > bitSet_c::inlineCapacityWords && wordCount <= set.wordCount) {
        std::memset(set.words, 0, size_t{wordCount} * 4);
        set.wordCount = wordCount;
        set.byteCount = wordCount * 4;
        return reinterpret_cast<uint8_t*>(set.words);
    }
    // Otherwise the old storage goes first, so that a failed allocation below
    // leaves an empty, valid record rather than stale members.
    if (ownsBlock)
        TavrDeleteMemory(set.words);
    set.words = nullptr;
    set.byteCount = 0;
    set.wordCount = 0;
    if (!anyMember)
        return nullptr;

    const size_t byteCount = size_t{wordCount} * 4;
    uint32_t* storage = set.inlineWords;
    if (wordCount > bitSet_c::inlineCapacityWords) {
        storage = static_cast<uint32_t*>(TavrNewMemory(byteCount));
        if (storage == nullptr)
            throw std::bad_alloc();
        std::memset(storage, 0, byteCount);
    } else {
        // A small result after a block: the record holds it.
        for (uint32_t& word : set.inlineWords)
            word = 0;
    }
    set.words = storage;
    set.wordCount = wordCount;
    set.byteCount = static_cast<uint32_t>(byteCount);
    return reinterpret_cast<uint8_t*>(storage);
}

}  // namespace refhost
