// The record index of a member is its rank in the atom set; the map reads it
// off the set's words, so members at every byte and word edge, with empty
// words between them, are where a wrong mask or count would show.
#include <gtest/gtest.h>

#include <vector>

#include "refhost/setFill.h"
#include "write/recordsByAtom.h"

namespace {

TEST(recordsByAtom, aMembersRecordIsItsRankAndOtherIndicesHaveNone) {
    const std::vector<uint32_t> members{0, 1, 7, 8, 15, 23, 24, 31, 32, 33, 63, 64, 100, 127, 128, 255, 511, 960};
    bitSet_c atoms;
    refhost::fillSet(atoms, members.data(), static_cast<uint32_t>(members.size()));
    const InChI_n::recordsByAtom_c records(atoms);

    size_t rank = 0;
    for (uint32_t index = 0; index < 8 * atoms.byteCount + 70; ++index) {
        AT_NUM record = -7;
        const bool member = rank < members.size() && members[rank] == index;
        ASSERT_EQ(records.find(index, record), member) << "index " << index;
        if (member) {
            EXPECT_EQ(record, static_cast<AT_NUM>(rank)) << "index " << index;
            ++rank;
        } else {
            EXPECT_EQ(record, -7) << "index " << index;
        }
    }
    EXPECT_EQ(rank, members.size());
}

TEST(recordsByAtom, anEmptySetHasNoRecords) {
    const bitSet_c none;
    const InChI_n::recordsByAtom_c records(none);
    AT_NUM record = 0;
    EXPECT_FALSE(records.find(0, record));
    EXPECT_FALSE(records.find(4000000000u, record));
}

}  // namespace
