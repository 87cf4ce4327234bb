// A negative count of implicit 1H, 2H or 3H made GetINCHI read past a block
// of its own heap, and otherwise answer with an identifier built from
// uninitialised memory (such as "InChI=1S/h1h/i1H-1") as a success; found by
// fuzzing TavrWrite. Such an atom is refused; zero and positive counts are
// written, and a negative implicit hydrogen count (a valence below the bonds)
// still reaches the library as before.
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
    atom.setValence(4);
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
    ::testing::Values(isotopicCase_c{"hydrogenWithMinusOneProtium", "H", {-1, 0, 0}, nullptr},
                      isotopicCase_c{"carbonWithMinusOneDeuterium", "C", {0, -1, 0}, nullptr},
                      isotopicCase_c{"carbonWithMinusOneTritium", "C", {0, 0, -1}, nullptr},
                      isotopicCase_c{"carbonWithMinus128Protium", "C", {-128, 0, 0}, nullptr},
                      isotopicCase_c{"methane", "C", {0, 0, 0}, "InChI=1S/CH4/h1H4"},
                      isotopicCase_c{"deuteromethane", "C", {0, 1, 0}, "InChI=1S/CH4/h1H4/i1D"}));

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
