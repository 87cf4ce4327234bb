// A coordinate whose "%10.4f" text is longer than the V2000 atom block's ten
// columns shifted the rest of the atom line, and the converter wrote a molfile
// it could not read back; found by fuzzing the molfile reader. Such a
// structure is written as V3000, and every structure the writer makes reads
// back with its coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "converter/molfile.h"
#include "refhost/refMolecule.h"

namespace {

using refhost::refMolecule_c;

struct coordinateCase_c {
    const char* name;
    double x;
    bool v2000;
};

void PrintTo(const coordinateCase_c& c, std::ostream* os) { *os << c.name; }

class molfileCoordinates : public ::testing::TestWithParam<coordinateCase_c> {};

TEST_P(molfileCoordinates, writtenInADialectThatReadsBack) {
    const coordinateCase_c& c = GetParam();
    refMolecule_c molecule;
    const uint32_t carbon = molecule.newAtom("C");
    const uint32_t oxygen = molecule.newAtom("O");
    molecule.atom(carbon)->place(c.x, -1.5, 0);
    molecule.atom(oxygen)->place(1.5, c.x, 0);
    molecule.newBond(carbon, oxygen, 1);

    const std::string text = molfile_n::writeMolfile(molecule, "coordinates");
    EXPECT_NE(text.find(c.v2000 ? " V2000\n" : " V3000\n"), std::string::npos) << text;
    refMolecule_c again;
    ASSERT_NO_THROW(molfile_n::readMolfile(text, again)) << text;
    ASSERT_EQ(again.indicesOfKind(kindAtom).size(), 2u);
    EXPECT_NEAR(again.atom(again.indicesOfKind(kindAtom)[0])->x(), c.x, std::fabs(c.x) * 1e-15 + 1e-4);
    EXPECT_NEAR(again.atom(again.indicesOfKind(kindAtom)[1])->y(), c.x, std::fabs(c.x) * 1e-15 + 1e-4);
    EXPECT_DOUBLE_EQ(again.atom(again.indicesOfKind(kindAtom)[0])->y(), -1.5);
}

INSTANTIATE_TEST_SUITE_P(
    table, molfileCoordinates,
    ::testing::Values(coordinateCase_c{"small", 1.25, true},
                      coordinateCase_c{"widestNegative", -9999.9999, true},
                      coordinateCase_c{"widestPositive", 99999.9999, true},
                      coordinateCase_c{"negativeOverTheColumns", -74916, false},
                      coordinateCase_c{"positiveOverTheColumns", 100000, false},
                      coordinateCase_c{"huge", 1.235e8, false},
                      // Hundreds of digits in V3000: all of them are written.
                      coordinateCase_c{"enormous", -1.5e300, false}));

}  // namespace
