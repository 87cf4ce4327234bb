#pragma once
// One small structure stated once and produced twice: as a reference-host
// molecule for the driver, and as an MDL molfile for the reference executable,
// so that both see the same atoms, bonds, marks and coordinates.

#include <cstdint>
#include <string>
#include <vector>

#include "refhost/refMolecule.h"

namespace writeTest_n {

enum class radical_e { none, singlet, doublet, triplet };

struct plannedAtom_c {
    std::string symbol;
    double x = 0, y = 0, z = 0;  // at most 4 decimals: the molfile prints 4
    int32_t charge = 0;
    int32_t isotopeMass = 0;  // absolute mass, 0 for none
    radical_e radical = radical_e::none;
    int32_t valence = atom_c::valenceNotSet;
};

struct plannedBond_c {
    uint32_t first, second;  // atom positions in the structure, from 0
    int32_t order = 1;
    int32_t wedge = 0;         // host wedge code (0, 1, 2, 3, 6, 7, 8, 12, 13)
    int32_t doubleStereo = 0;  // 3: either
};

struct testStructure_c {
    std::vector<plannedAtom_c> atoms;
    std::vector<plannedBond_c> bonds;
    bool chiralFlag = false;  // a kind-24 group of type 12 / the counts-line flag

    testStructure_c& atom(const std::string& symbol, double x, double y, double z = 0);
    testStructure_c& bond(uint32_t first, uint32_t second, int32_t order = 1, int32_t wedge = 0);
    plannedAtom_c& last() { return atoms.back(); }

    // Atoms in order, so that atom i has host index atomIndex[i]; bonds after.
    void build(refhost::refMolecule_c& molecule, std::vector<uint32_t>* atomIndex = nullptr) const;
    // A V2000 molfile ending with "M  END", the wedges written from their
    // narrow end as MDL requires.
    std::string molfile() const;
};

// Structures the tests share.
testStructure_c ethanol();
// C1 with F (0,1.5), Cl, Br around it; the C-F bond carries the wedge.
testStructure_c halogenatedMethane(int32_t wedge);

}  // namespace writeTest_n
