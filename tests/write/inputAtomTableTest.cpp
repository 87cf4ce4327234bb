// The atom table a molecule becomes, record by record, with values worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "driver/driverErrors.h"
#include "refhost/refMolecule.h"
#include "write/inputAtomTable.h"
#include "write/inputRecord.h"

namespace {

using refhost::refMolecule_c;

// The table of a molecule, owned like the write entry owns it.
class table_c {
public:
    table_c(refMolecule_c& molecule, bool addTavrelH = false) {
        InChI_n::buildInputAtoms(molecule, record_.get(), addTavrelH);
    }
    int count() { return record_.get().num_atoms; }
    const inchi_Atom& operator[](int i) { return record_.get().atom[i]; }

private:
    InChI_n::inputRecord_c record_;
};

TEST(atomTable, recordsFollowHostIndexOrderWhateverTheKind) {
    refMolecule_c molecule;
    for (int i = 0; i < 3; ++i) molecule.newGroup(16);
    const uint32_t n = molecule.newAtom("N", kindAtomExtra51);
    for (int i = 0; i < 3; ++i) molecule.newGroup(16);
    const uint32_t c = molecule.newAtom("C", kindAtom);
    for (int i = 0; i < 4; ++i) molecule.newGroup(16);
    const uint32_t o = molecule.newAtom("O", kindAtomExtra45);
    ASSERT_EQ(n, 3u);
    ASSERT_EQ(c, 7u);
    ASSERT_EQ(o, 12u);
    molecule.newBond(c, o, 2);
    molecule.newBond(n, c, 1);

    table_c table(molecule);
    ASSERT_EQ(table.count(), 3);
    EXPECT_STREQ(table[0].elname, "N");
    EXPECT_STREQ(table[1].elname, "C");
    EXPECT_STREQ(table[2].elname, "O");
    // Neighbours in ascending host index order, as record indices.
    ASSERT_EQ(table[1].num_bonds, 2);
    EXPECT_EQ(table[1].neighbor[0], 0);
    EXPECT_EQ(table[1].bond_type[0], 1);
    EXPECT_EQ(table[1].neighbor[1], 2);
    EXPECT_EQ(table[1].bond_type[1], 2);
    ASSERT_EQ(table[0].num_bonds, 1);
    EXPECT_EQ(table[0].neighbor[0], 1);
    ASSERT_EQ(table[2].num_bonds, 1);
    EXPECT_EQ(table[2].neighbor[0], 1);
}

TEST(atomTable, emptyMolecule) {
    refMolecule_c molecule;
    molecule.newGroup(12);
    table_c table(molecule);
    EXPECT_EQ(table.count(), 0);
}

TEST(atomTable, atomFields) {
    refMolecule_c molecule;
    const uint32_t a = molecule.newAtom("Cl");
    molecule.atom(a)->place(1.25, -2.5, 0);
    molecule.atom(a)->setCharge(-1);
    molecule.atom(a)->setIsotopeMass(37);
    table_c table(molecule);
    EXPECT_EQ(table[0].x, 1.25);
    EXPECT_EQ(table[0].y, -2.5);
    EXPECT_EQ(table[0].z, 0.0);
    EXPECT_EQ(table[0].charge, -1);
    EXPECT_EQ(table[0].isotopic_mass, 37);
    EXPECT_EQ(table[0].num_bonds, 0);
    EXPECT_STREQ(table[0].elname, "Cl");
}

// The 3D rule at its bound: one atom decides for the whole molecule.
struct threeDCase_c {
    const char* name;
    double z;
    bool threeD;
};

void PrintTo(const threeDCase_c& c, std::ostream* os) { *os << c.name; }

class threeDBound : public ::testing::TestWithParam<threeDCase_c> {};

TEST_P(threeDBound, decidesEveryRecord) {
    const double bound = 1.1920928955078125e-07;
    ASSERT_EQ(bound, std::ldexp(1.0, -23));
    refMolecule_c molecule;
    const uint32_t flat = molecule.newAtom("C");
    molecule.atom(flat)->place(1, 2, 0.5e-7);
    const uint32_t probe = molecule.newAtom("O");
    molecule.atom(probe)->place(3, 4, GetParam().z);
    molecule.newBond(flat, probe, 1);
    table_c table(molecule);
    if (GetParam().threeD) {
        EXPECT_EQ(table[0].z, 0.5e-7);  // an atom inside the bound keeps its own z
        if (std::isnan(GetParam().z)) {
            EXPECT_TRUE(std::isnan(table[1].z));
        } else {
            EXPECT_EQ(table[1].z, GetParam().z);
        }
    } else {
        EXPECT_EQ(table[0].z, 0.0);
        EXPECT_EQ(table[1].z, 0.0);
    }
    EXPECT_EQ(table[1].x, 3.0);
    EXPECT_EQ(table[1].y, 4.0);
}

INSTANTIATE_TEST_SUITE_P(
    table, threeDBound,
    ::testing::Values(threeDCase_c{"plusBound", 1.1920928955078125e-07, true},
                      threeDCase_c{"minusBound", -1.1920928955078125e-07, true},
                      threeDCase_c{"plusHalfBound", 5.9604644775390625e-08, false},
                      threeDCase_c{"minusHalfBound", -5.9604644775390625e-08, false},
                      threeDCase_c{"justInside", 1e-07, false},
                      threeDCase_c{"zero", 0.0, false},
                      threeDCase_c{"conformer", -1.2345, true},
                      threeDCase_c{"notANumber", std::numeric_limits<double>::quiet_NaN(), true},
                      threeDCase_c{"infinite", -std::numeric_limits<double>::infinity(), true}));

// Implicit hydrogens of a carbon with a single and a double bond (order sum 3)
// and one implicit 1H and one 3H.
struct hydrogenCase_c {
    const char* name;
    bool addTavrelH;
    int32_t valence;
    int expected;
};

void PrintTo(const hydrogenCase_c& c, std::ostream* os) { *os << c.name; }

class implicitHydrogens : public ::testing::TestWithParam<hydrogenCase_c> {};

TEST_P(implicitHydrogens, firstCount) {
    refMolecule_c molecule;
    const uint32_t c = molecule.newAtom("C");
    const uint32_t o = molecule.newAtom("O");
    const uint32_t n = molecule.newAtom("N");
    molecule.newBond(c, o, 2);
    molecule.newBond(n, c, 1);
    refhost::refAtom_c* carbon = molecule.atom(c);
    carbon->setValence(GetParam().valence);
    carbon->setCount(countImplicit1H, 1);
    carbon->setCount(countImplicit3H, 1);
    carbon->setCount(countImplicitH, 1);
    carbon->setCount(countTavrelH, 2);
    table_c table(molecule, GetParam().addTavrelH);
    EXPECT_EQ(table[0].num_iso_H[0], GetParam().expected);
    EXPECT_EQ(table[0].num_iso_H[1], 1);
    EXPECT_EQ(table[0].num_iso_H[2], 0);
    EXPECT_EQ(table[0].num_iso_H[3], 1);
}

INSTANTIATE_TEST_SUITE_P(
    table, implicitHydrogens,
    ::testing::Values(hydrogenCase_c{"valenceNotSet", false, atom_c::valenceNotSet, -1},
                      hydrogenCase_c{"valenceSix", false, 6, 1},    // 6 - 3 - 1 - 0 - 1
                      hydrogenCase_c{"valenceBelowBonds", false, 4, -1},  // 4 - 3 - 1 - 0 - 1, passed on
                      hydrogenCase_c{"tavrelH", true, 6, 3},        // count(27) + count(2)
                      hydrogenCase_c{"tavrelHNoValence", true, atom_c::valenceNotSet, 3}));

// Below -1 the count means nothing; beside isotopic hydrogens GetINCHI then
// reads past a block of its heap and answers garbage as a success.
TEST(implicitHydrogens, countBelowMinusOneIsRefused) {
    refMolecule_c molecule;
    const uint32_t c = molecule.newAtom("C");
    molecule.atom(c)->setValence(2);  // 2 - 0 - 1 - 0 - 3 = -2
    molecule.atom(c)->setCount(countImplicit1H, 1);
    molecule.atom(c)->setCount(countImplicit3H, 3);
    EXPECT_THROW(table_c table(molecule), InChI_n::badAtom_c);
}

TEST(implicitHydrogens, loneAtomSubtractsOnlyIsotopicCounts) {
    refMolecule_c molecule;
    const uint32_t c = molecule.newAtom("C");
    molecule.atom(c)->setValence(4);
    molecule.atom(c)->setCount(countImplicit2H, 2);
    table_c table(molecule);
    EXPECT_EQ(table[0].num_iso_H[0], 2);
    EXPECT_EQ(table[0].num_iso_H[2], 2);
}

struct radicalCase_c {
    int32_t electrons;
    int32_t multiplicity;
    int expected;
};

TEST(atomTable, radicals) {
    const radicalCase_c cases[] = {
        {0, 0, INCHI_RADICAL_NONE},    {1, 0, INCHI_RADICAL_DOUBLET}, {1, 3, INCHI_RADICAL_DOUBLET},
        {2, 1, INCHI_RADICAL_SINGLET}, {2, 3, INCHI_RADICAL_TRIPLET}, {2, 2, INCHI_RADICAL_NONE},
        {3, 3, INCHI_RADICAL_NONE},    {0, 3, INCHI_RADICAL_NONE},
    };
    for (const radicalCase_c& c : cases) {
        refMolecule_c molecule;
        const uint32_t a = molecule.newAtom("C");
        molecule.atom(a)->setCount(countRadicalElectrons, c.electrons);
        molecule.atom(a)->setMultiplicity(c.multiplicity);
        table_c table(molecule);
        EXPECT_EQ(table[0].radical, c.expected) << c.electrons << " electrons, multiplicity " << c.multiplicity;
    }
}

// Stereo codes seen from each end of a bond between host atoms 0 and 1.
struct stereoCase_c {
    int32_t order;
    int32_t wedge;
    int32_t doubleStereo;
    int fromFirst;
    int fromSecond;
};

TEST(atomTable, stereoCodesFromBothEnds) {
    const stereoCase_c cases[] = {
        {1, 0, 0, 0, 0},   {1, 1, 0, 1, -1},  {1, 12, 0, 1, -1}, {1, 2, 0, 6, -6},  {1, 3, 0, 4, -4},
        {1, 6, 0, -1, 1},  {1, 13, 0, -1, 1}, {1, 7, 0, -6, 6},  {1, 8, 0, -4, 4},  {3, 1, 0, 1, -1},
        {2, 0, 3, 3, 3},   {2, 1, 0, 0, 0},   {2, 4, 0, 0, 0},   {2, 0, 1, 0, 0},   {1, 0, 3, 0, 0},
    };
    for (const stereoCase_c& c : cases) {
        refMolecule_c molecule;
        const uint32_t a = molecule.newAtom("C");
        const uint32_t b = molecule.newAtom("C");
        const uint32_t bond = molecule.newBond(a, b, c.order);
        molecule.bond(bond)->setWedge(c.wedge);
        molecule.bond(bond)->setDoubleStereo(c.doubleStereo);
        table_c table(molecule);
        const std::string what = "order " + std::to_string(c.order) + " wedge " + std::to_string(c.wedge) +
                                 " double " + std::to_string(c.doubleStereo);
        EXPECT_EQ(table[0].bond_stereo[0], c.fromFirst) << what;
        EXPECT_EQ(table[1].bond_stereo[0], c.fromSecond) << what;
        EXPECT_EQ(table[0].bond_type[0], c.order) << what;
    }
}

TEST(atomTable, wedgeCodesWithoutMappingAreRefused) {
    for (int32_t wedge : {4, 5, 9, 10, 11, 14, -1, -6}) {
        refMolecule_c molecule;
        const uint32_t a = molecule.newAtom("C");
        const uint32_t b = molecule.newAtom("C");
        molecule.bond(molecule.newBond(a, b, 1))->setWedge(wedge);
        InChI_n::inputRecord_c record;
        EXPECT_THROW(InChI_n::buildInputAtoms(molecule, record.get(), false), InChI_n::badBondType_c) << wedge;
    }
}

// When two bonds join the same atoms, the one with the smaller index is used.
TEST(atomTable, findBondTakesSmallestSharedBond) {
    refMolecule_c molecule;
    const uint32_t a = molecule.newAtom("C");
    const uint32_t b = molecule.newAtom("C");
    const uint32_t c = molecule.newAtom("C");
    molecule.newBond(a, c, 1);
    const uint32_t first = molecule.newBond(b, a, 2);
    molecule.newBond(a, b, 3);
    EXPECT_EQ(InChI_n::findBond(molecule, *molecule.atomAt(a), b), molecule.bondAt(first));
    EXPECT_EQ(InChI_n::findBond(molecule, *molecule.atomAt(b), c), nullptr);
}

}  // namespace
