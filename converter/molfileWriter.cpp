#include <cmath>
#include <cstdio>

#include "converter/hostMolecule.h"
#include "converter/molfile.h"
#include "converter/molfileFormats.h"

namespace molfile_n {

namespace {

// The program line: blank user initials, the program name in eight columns,
// a blank date and the dimension code that readers look at.
std::string programLine(const molStructure_c& s) {
    bool flat = true;
    for (const molAtom_c& a : s.atoms)
        flat = flat && a.z == 0;
    return std::string("  tavrinch") + "          " + (flat ? "2D" : "3D");
}

// A title with line ends in it would start a new molfile line.
std::string titleLine(const std::string& title) {
    std::string line = title.substr(0, title.find_first_of("\r\n"));
    return line.substr(0, 80);
}

// The V2000 atom block gives each coordinate ten columns ("%10.4f") and the
// symbol three: a longer text would shift the rest of the line and make the
// file unreadable, so such a structure goes out as V3000, which has no columns.
bool atomsFitV2000(const molStructure_c& s) {
    for (const molAtom_c& a : s.atoms) {
        if (a.symbol.size() > 3) return false;
        for (double value : {a.x, a.y, a.z}) {
            char text[512];
            if (std::snprintf(text, sizeof text, "%10.4f", value) != 10) return false;
        }
    }
    return true;
}

// V2000 knows the bond types 1 to 8; V3000 adds 9 (coordination) and 10
// (hydrogen bond), which a V2000 reader refuses.
bool bondsFitV2000(const molStructure_c& s) {
    for (const molBond_c& b : s.bonds)
        if (b.type < 1 || b.type > 8) return false;
    return true;
}

}  // namespace

std::string writeMolfile(refhost::refMolecule_c& molecule, const std::string& title) {
    molStructure_c s = structureOf(molecule);
    std::string out = titleLine(title) + '\n' + programLine(s) + "\n\n";
    if (s.atoms.size() <= maxV2000Count && s.bonds.size() <= maxV2000Count && atomsFitV2000(s) && bondsFitV2000(s))
        formatV2000(s, out);
    else
        formatV3000(s, out);
    return out;
}

}  // namespace molfile_n
