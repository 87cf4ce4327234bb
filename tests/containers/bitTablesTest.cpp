#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "containers/bitTables.h"

namespace {

struct sampleRow_c {
    unsigned v;
    std::array<int, 8> next;
    int count;
    std::array<int, 9> positions;
};

// Rows worked out by hand from the definitions: position p is the mask 0x80 >> p.
const sampleRow_c sampleRows[] = {
    {0x00, {0, 0, 0, 0, 0, 0, 0, 0}, 0, {-1, -1, -1, -1, -1, -1, -1, -1, -1}},
    {0x01, {8, 8, 8, 8, 8, 8, 8, 8}, 1, {7, -1, -1, -1, -1, -1, -1, -1, -1}},
    {0x80, {1, 0, 0, 0, 0, 0, 0, 0}, 1, {0, -1, -1, -1, -1, -1, -1, -1, -1}},
    {0x24, {3, 3, 3, 6, 6, 6, 0, 0}, 2, {2, 5, -1, -1, -1, -1, -1, -1, -1}},
    {0xFF, {1, 2, 3, 4, 5, 6, 7, 8}, 8, {0, 1, 2, 3, 4, 5, 6, 7, -1}},
};

TEST(bitTables, sampleRowsMatchHandWorkedValues) {
    for (const auto& row : sampleRows) {
        SCOPED_TRACE(row.v);
        for (int k = 0; k < 8; ++k) EXPECT_EQ(nextBitTable[row.v][k], row.next[k]) << "k=" << k;
        EXPECT_EQ(bitCountTable[row.v], row.count);
        for (int k = 0; k < 9; ++k) EXPECT_EQ(bitPositionTable[row.v][k], row.positions[k]) << "k=" << k;
    }
}

// Every row against a bit-by-bit reading of its byte value.
TEST(bitTables, everyRowAgreesWithABitByBitReading) {
    for (unsigned v = 0; v < 256; ++v) {
        SCOPED_TRACE(v);
        std::vector<int> set;
        for (int p = 0; p < 8; ++p)
            if (v & (0x80u >> p)) set.push_back(p);

        EXPECT_EQ(bitCountTable[v], set.size());
        for (int k = 0; k < 8; ++k) {
            int expected = 0;
            for (int p : set)
                if (p >= k) {
                    expected = p + 1;
                    break;
                }
            EXPECT_EQ(nextBitTable[v][k], expected) << "k=" << k;
        }
        for (int k = 0; k < 9; ++k) {
            const int expected = k < static_cast<int>(set.size()) ? set[k] : -1;
            EXPECT_EQ(bitPositionTable[v][k], expected) << "k=" << k;
        }
    }
}

}  // namespace
