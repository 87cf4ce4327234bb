// A negative count of implicit 1H, 2H or 3H made GetINCHI read past a block
// of its own heap, and otherwise answer with an identifier built from
// uninitialised memory (such as "InChI=1S/h1h/i1H-1") as a success; found by
// fuzzing TavrWrite. So did an implicit hydrogen count below -1 beside
// isotopic hydrogens (a valence below the isotopic count), or the library
// wrote a formula without them ("InChI=1S/CH4/h1H4/i1D3H3" for a carbon with
// three 1H and three 2H under valence 4), again as a success. Such atoms are
// refused; zero and positive counts are written, and an implicit count of -1
// (the library adds its own hydrogens) still reaches the library as before.
#include <gtest/gtest.h>

#include <string>

#include "driver/entries.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

namespace {

using refhost::refMolecule_c;

struct isotopicCase_c {
    const char* name;
    const char* element;
    int32_t counts[3];  // implicit 1H, 2H, 3H
    int32_t valence;
    const char* inchi;  // null: refused
};

void PrintTo(const isotopicCase_c& c, std::ostream* os) { *os << c.name; }

class isotopicHydrogen : public ::testing::TestWithParam<isotopicCase_c> {};

TEST_P(isotopicHydrogen, negativeCountsAreRefused) {
    const isotopicCase_c& c = GetParam();
    refMolecule_c molecule;
    refhost::refAtom_c& atom = *molecule.atom(molecule.newAtom(c.element));
    atom.setCount(countImplicit1H, c.counts[0]);
    atom.setCount(countImplicit2H, c.counts[1]);
    atom.setCount(countImplicit3H, c.counts[2]);
    atom.setValence(c.valence);
    refhost::memoryOutStream_c out;
    const int result = TavrWrite(&molecule, &out, "AUXNONE", nullptr);
    if (c.inchi) {
        EXPECT_EQ(result, 1);
        EXPECT_EQ(out.text(), c.inchi);
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(out.text(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    table, isotopicHydrogen,
    ::testing::Values(isotopicCase_c{"hydrogenWithMinusOneProtium", "H", {-1, 0, 0}, 4, nullptr},
                      isotopicCase_c{"carbonWithMinusOneDeuterium", "C", {0, -1, 0}, 4, nullptr},
                      isotopicCase_c{"carbonWithMinusOneTritium", "C", {0, 0, -1}, 4, nullptr},
                      isotopicCase_c{"carbonWithMinus128Protium", "C", {-128, 0, 0}, 4, nullptr},
                      // implicit count -1 - 1 = -2 beside one 1H: the read past the heap block
                      isotopicCase_c{"hydrogenBelowMinusOneBesideProtium", "H", {1, 0, 0}, -1, nullptr},
                      // implicit count 4 - 6 = -2 beside six isotopic hydrogens: a formula without them
                      isotopicCase_c{"carbonBelowMinusOneBesideSix", "C", {3, 3, 0}, 4, nullptr},
                      isotopicCase_c{"methane", "C", {0, 0, 0}, 4, "InChI=1S/CH4/h1H4"},
                      isotopicCase_c{"deuteromethane", "C", {0, 1, 0}, 4, "InChI=1S/CH4/h1H4/i1D"}));

// Valence 1 under two bonds: the implicit count is -1 (the library adds its
// own hydrogens), as it always was.
TEST(isotopicHydrogen, negativeImplicitCountStillWritten) {
    refMolecule_c molecule;
    const uint32_t carbon = molecule.newAtom("C");
    molecule.atom(carbon)->setValence(1);
    for (int i = 0; i < 2; ++i) {
        const uint32_t neighbour = molecule.newAtom("C");
        molecule.atom(neighbour)->place(1.5 * (i ? 1 : -1), 0, 0);
        molecule.newBond(carbon, neighbour, 1);
    }
    refhost::memoryOutStream_c out;
    EXPECT_EQ(TavrWrite(&molecule, &out, "AUXNONE", nullptr), 1);
    EXPECT_EQ(out.text(), "InChI=1S/C3H8/c1-3-2/h3H2,1-2H3");
}

}  // namespace
