#pragma once
// A molfile's content between the text and the host molecule: the parsers fill
// it from V2000 or V3000 text, the writers format it, and hostMolecule.h moves
// it to and from a reference-host molecule. Values keep the molfile's own
// encodings so that each side converts in one place.

#include <cstddef>
#include <string>
#include <vector>

namespace molfile_n {

struct molAtom_c {
    double x = 0, y = 0, z = 0;
    std::string symbol;
    bool pseudo = false;  // names no element: a query, a list, an R group, an alias
    int charge = 0;
    int radical = 0;      // MDL code: 0 none, 1 singlet, 2 doublet, 3 triplet
    int isotope = 0;      // 0 none; an absolute mass; or 10000 + a difference from the average mass
    int valence = 0;      // MDL field: 0 unset, 1..14 the valence, 15 a valence of 0
    size_t line = 0;      // file line the atom came from (0 when not from a file)
};

struct molBond_c {
    size_t first = 0, second = 0;  // atom positions, from 0
    int type = 1;                  // MDL bond type 1..8, V3000 also 9 and 10
    int stereo = 0;                // V2000 stereo code: 1 up, 6 down, 4 either; 3 double either
};

struct molStructure_c {
    std::string title, program, comment;  // the three header lines
    std::vector<molAtom_c> atoms;
    std::vector<molBond_c> bonds;
    bool chiral = false;
};

// Shifts the InChI library accepts: 10000 + d for |d| <= 100.
constexpr int isotopicShiftFlag = 10000;
constexpr int isotopicShiftMax = 100;
inline bool isIsotopicShift(int mass) {
    return mass >= isotopicShiftFlag - isotopicShiftMax && mass <= isotopicShiftFlag + isotopicShiftMax;
}

}  // namespace molfile_n
