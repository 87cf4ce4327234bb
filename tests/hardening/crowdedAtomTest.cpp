// GetINCHI writes past a buffer on its stack and ends the process when it
// disconnects a metal that carries about 43 or more hydrogens and bonds;
// found by fuzzing TavrWrite. A write refuses every atom whose bonds and
// implicit hydrogens (of all isotopes) together exceed MAXVAL, the most
// neighbours a record holds, and writes every atom up to that bound.
#include <gtest/gtest.h>

#include <string>

#include <inchi_api.h>

#include "driver/entries.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"
#include "writeOutcome.h"

namespace {

using refhost::refMolecule_c;

struct crowdedCase_c {
    const char* name;
    const char* element;
    int32_t hydrogens[4];  // implicit H, 1H, 2H, 3H
    int bonds;             // to chlorine atoms of their own
    const char* options;
    bool written;
};

void PrintTo(const crowdedCase_c& c, std::ostream* os) { *os << c.name; }

// The atom's hydrogens are given the way the host states them: a valence
// that leaves them over after the bonds and the isotopic hydrogens, or, in
// the AddTavrelH mode, the counts 27 and 2.
void build(refMolecule_c& molecule, const crowdedCase_c& c) {
    const uint32_t centre = molecule.newAtom(c.element);
    refhost::refAtom_c& atom = *molecule.atom(centre);
    atom.setCount(countImplicit1H, c.hydrogens[1]);
    atom.setCount(countImplicit2H, c.hydrogens[2]);
    atom.setCount(countImplicit3H, c.hydrogens[3]);
    atom.setValence(c.hydrogens[0] + c.bonds + c.hydrogens[1] + c.hydrogens[2] + c.hydrogens[3]);
    atom.setCount(countTavrelH, c.hydrogens[0] / 2);
    atom.setCount(countImplicitH, c.hydrogens[0] - c.hydrogens[0] / 2);
    for (int i = 0; i < c.bonds; ++i) {
        const uint32_t chlorine = molecule.newAtom("Cl");
        molecule.atom(chlorine)->place(i + 1.0, 0, 0);
        molecule.atom(chlorine)->setValence(1);
        molecule.newBond(centre, chlorine, 1);
    }
}

class crowdedAtom : public ::testing::TestWithParam<crowdedCase_c> {};

TEST_P(crowdedAtom, writtenUpToMaxvalHydrogensAndBonds) {
    const crowdedCase_c& c = GetParam();
    refMolecule_c molecule;
    build(molecule, c);
    refhost::memoryOutStream_c out;
    hardening_n::expectWrittenOrRefused(TavrWrite(&molecule, &out, c.options, nullptr), out.text(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    table, crowdedAtom,
    ::testing::Values(
        crowdedCase_c{"sodiumWithMaxvalHydrogens", "Na", {MAXVAL, 0, 0, 0}, 0, "", true},
        crowdedCase_c{"sodiumWithOneMore", "Na", {MAXVAL + 1, 0, 0, 0}, 0, "", false},
        crowdedCase_c{"sodiumWith44Hydrogens", "Na", {44, 0, 0, 0}, 0, "", false},
        crowdedCase_c{"ironWith43Tritium", "Fe", {0, 0, 0, 43}, 0, "", false},
        crowdedCase_c{"strontiumWithMixedHydrogensAndBonds", "Sr", {20, 1, 0, 2}, 20, "", false},
        crowdedCase_c{"hydrogensAndBondsAtMaxval", "Sr", {5, 3, 2, 0}, 10, "", true},
        crowdedCase_c{"hydrogensAndBondsOneOver", "Sr", {6, 3, 2, 0}, 10, "", false},
        crowdedCase_c{"carbonWith88Hydrogens", "C", {88, 0, 0, 0}, 0, "", false},
        crowdedCase_c{"tavrelHydrogensOver", "Na", {60, 0, 0, 0}, 0, "AddTavrelH", false},
        crowdedCase_c{"tavrelHydrogensAtMaxval", "Na", {MAXVAL, 0, 0, 0}, 0, "AddTavrelH", true}));

}  // namespace
