#pragma once
// Host atom index -> record index of one write. A member's record index is
// its rank in the atom set (the number of members below it), so the map is
// the set itself plus, per word of the set, the number of members in the
// words below: a lookup is one table read and a count of the bits below it in
// its word, with no search and no node per atom. Counts go through the byte
// table: the build targets no processor with a population count instruction,
// and the library call that would take its place costs more.

#include <cstdint>
#include <vector>

#include <inchi_api.h>

#include "containers/bitSet_c.h"
#include "containers/bitTables.h"

namespace InChI_n {

class recordsByAtom_c {
public:
    // The set must outlive the map and stay unchanged while it is used.
    explicit recordsByAtom_c(const bitSet_c& atoms) : atoms_(atoms), membersBelow_(atoms.words ? atoms.wordCount : 0)
    {
        uint32_t count = 0;
        for (uint32_t w = 0; w < membersBelow_.size(); ++w) {
            membersBelow_[w] = count;
            count += wordBitCount(atoms_.words[w]);
        }
    }

    // False when the index is no member of the atom set.
    bool find(uint32_t atomIndex, AT_NUM& record) const
    {
        const uint32_t w = atomIndex / 32;
        if (w >= membersBelow_.size()) return false;
        // Seen as a little-endian word, index i of the word's four bytes sits
        // at bit 8 * (i / 8) + 7 - i % 8: the bytes before it are the low
        // bits, and the lower indices of its own byte are the bits above it.
        const uint32_t byteShift = 8 * ((atomIndex / 8) % 4);
        const uint32_t bitInByte = atomIndex % 8;
        const uint32_t word = atoms_.words[w];
        if ((word & (1u << (byteShift + 7 - bitInByte))) == 0) return false;
        const uint32_t lowerBytes = byteShift == 0 ? 0 : (1u << byteShift) - 1;
        const uint32_t lowerInByte = ((0xFF00u >> bitInByte) & 0xFFu) << byteShift;
        record = static_cast<AT_NUM>(membersBelow_[w] + wordBitCount(word & (lowerBytes | lowerInByte)));
        return true;
    }

private:
    const bitSet_c& atoms_;
    std::vector<uint32_t> membersBelow_;
};

}  // namespace InChI_n
