// An atom-block mass difference that leaves no mass number (hydrogen -1, or
// any difference on an atom without an element) was read, and written back
// as "M  ISO" with the mass 0, which the reader refuses; found by fuzzing the
// molfile reader. The reader refuses such a difference where it is in force.
#include <gtest/gtest.h>

#include <string>

#include "converter/molfile.h"
#include "refhost/refMolecule.h"

namespace {

using refhost::refMolecule_c;

// One atom with the mass difference field given, and the property lines.
std::string withMassDifference(const char* symbol, int difference, const std::string& properties = "") {
    char atomLine[128];
    std::snprintf(atomLine, sizeof atomLine,
                  "    0.0000    0.0000    0.0000 %-3s%2d  0  0  0  0  0  0  0  0  0  0  0\n", symbol, difference);
    return std::string("mass\n  test\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n") + atomLine + properties +
           "M  END\n";
}

struct massCase_c {
    const char* name;
    std::string text;
    int mass;   // the mass number read; 0: refused
    int shift;  // the isotope as the atom block gives it (10000 + difference), 0 when voided
};

void PrintTo(const massCase_c& c, std::ostream* os) { *os << c.name; }

class molfileMass : public ::testing::TestWithParam<massCase_c> {};

TEST_P(molfileMass, readOnlyWithAMassNumberAndWrittenBack) {
    const massCase_c& c = GetParam();
    refMolecule_c molecule;
    if (c.mass == 0) {
        EXPECT_THROW(molfile_n::readMolfile(c.text, molecule), molfile_n::molfileError_c);
        return;
    }
    ASSERT_NO_THROW(molfile_n::readMolfile(c.text, molecule));
    refMolecule_c again;
    ASSERT_NO_THROW(molfile_n::readMolfile(molfile_n::writeMolfile(molecule, "again"), again));
    const int32_t isotope = again.atom(again.indicesOfKind(kindAtom)[0])->isotopeValue();
    // Written as "M  ISO" with the absolute mass, or kept as a shift.
    EXPECT_TRUE(isotope == c.mass || isotope == c.shift) << isotope;
}

INSTANTIATE_TEST_SUITE_P(
    table, molfileMass,
    ::testing::Values(massCase_c{"hydrogenMinus1", withMassDifference("H", -1), 0, 0},
                      massCase_c{"heliumMinus4", withMassDifference("He", -4), 0, 0},
                      massCase_c{"heliumMinus3", withMassDifference("He", -3), 1, 9997},
                      massCase_c{"carbonPlus1", withMassDifference("C", 1), 13, 10001},
                      massCase_c{"queryAtomPlus1", withMassDifference("A", 1), 0, 0},
                      massCase_c{"blankInTheSymbolPlus1", withMassDifference("C 0", 1), 0, 0},
                      massCase_c{"hydrogenMinus1VoidedByIso", withMassDifference("H", -1, "M  ISO  1   1   2\n"), 2,
                                 0}));

}  // namespace
