// An H+ without bonds or hydrogens (a bare proton) with an isotopic mass other
// than 1, 2 or 3 made GetINCHI drop or change the isotope as a success, and
// for masses such as 25, 44 or 300 corrupt its heap and end the process in
// free(); found by fuzzing TavrWrite. Such a proton is refused; no isotope,
// 1H, 2H and 3H (as masses or as shifts from the average mass) are written,
// and a hydrogen cation that carries a hydrogen is no bare proton.
#include <gtest/gtest.h>

#include <string>

#include "driver/entries.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"
#include "writeOutcome.h"

namespace {

struct protonCase_c {
    const char* name;
    int32_t mass;
    int32_t valence;  // of a lone atom: its implicit hydrogen count
    bool written;
};

void PrintTo(const protonCase_c& c, std::ostream* os) { *os << c.name; }

class protonIsotope : public ::testing::TestWithParam<protonCase_c> {};

TEST_P(protonIsotope, onlyKnownIsotopesOfABareProtonAreWritten) {
    const protonCase_c& c = GetParam();
    refhost::refMolecule_c molecule;
    refhost::refAtom_c& proton = *molecule.atom(molecule.newAtom("H"));
    proton.setCharge(1);
    proton.setIsotopeMass(c.mass);
    proton.setValence(c.valence);
    refhost::memoryOutStream_c out;
    hardening_n::expectWrittenOrRefused(TavrWrite(&molecule, &out, "AUXNONE", nullptr), out.text(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    table, protonIsotope,
    ::testing::Values(protonCase_c{"noIsotope", 0, 0, true}, protonCase_c{"deuteron", 2, 0, true},
                      protonCase_c{"tritonAsShift", 10002, 0, true}, protonCase_c{"massFour", 4, 0, false},
                      protonCase_c{"mass25", 25, 0, false}, protonCase_c{"mass44", 44, 0, false},
                      protonCase_c{"mass300", 300, 0, false}, protonCase_c{"mass31533", 31533, 0, false},
                      protonCase_c{"negativeMass", -5, 0, false},
                      protonCase_c{"cationWithAHydrogen", 25, 1, true}));

}  // namespace
