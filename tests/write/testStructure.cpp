#include "testStructure.h"

#include <algorithm>
#include <stdexcept>

#include "tests/support/formatText.h"

namespace writeTest_n {

namespace {

using testSupport_n::formatText;

// Host wedge code -> (narrow end is the bond's second end, MDL stereo code).
void mdlWedge(int32_t wedge, bool& fromSecond, int& mdl) {
    fromSecond = wedge == 6 || wedge == 7 || wedge == 8 || wedge == 13;
    switch (wedge) {
    case 0: mdl = 0; break;
    case 1: case 6: case 12: case 13: mdl = 1; break;
    case 2: case 7: mdl = 6; break;
    case 3: case 8: mdl = 4; break;
    default: throw std::invalid_argument("no MDL form for this wedge code");
    }
}

int mdlRadical(radical_e radical) {
    switch (radical) {
    case radical_e::singlet: return 1;
    case radical_e::doublet: return 2;
    case radical_e::triplet: return 3;
    default: return 0;
    }
}

// The MDL valence field, 0 when unset. MDL writes a valence of 0 as 15, but
// inchi_main 1.03 takes 15 literally, so such a structure has no reference.
int mdlValence(int32_t valence) {
    if (valence == atom_c::valenceNotSet) return 0;
    if (valence < 1 || valence > 14) throw std::invalid_argument("valence without a molfile form");
    return valence;
}

// "M  CHG"-style property lines, eight entries at most per line.
std::string propertyLines(const char* name, const std::vector<std::pair<int, int>>& entries) {
    std::string lines;
    for (size_t start = 0; start < entries.size(); start += 8) {
        const size_t end = std::min(entries.size(), start + 8);
        lines += formatText("M  %s%3zu", name, end - start);
        for (size_t i = start; i < end; ++i) lines += formatText(" %3d %3d", entries[i].first, entries[i].second);
        lines += "\n";
    }
    return lines;
}

}  // namespace

testStructure_c& testStructure_c::atom(const std::string& symbol, double x, double y, double z) {
    plannedAtom_c planned;
    planned.symbol = symbol;
    planned.x = x;
    planned.y = y;
    planned.z = z;
    atoms.push_back(planned);
    return *this;
}

testStructure_c& testStructure_c::bond(uint32_t first, uint32_t second, int32_t order, int32_t wedge) {
    plannedBond_c planned{first, second, order, wedge, 0};
    bonds.push_back(planned);
    return *this;
}

void testStructure_c::build(refhost::refMolecule_c& molecule, std::vector<uint32_t>* atomIndex) const {
    std::vector<uint32_t> indices;
    for (const plannedAtom_c& planned : atoms) {
        const uint32_t index = molecule.newAtom(planned.symbol.c_str());
        refhost::refAtom_c* atom = molecule.atom(index);
        atom->place(planned.x, planned.y, planned.z);
        atom->setCharge(planned.charge);
        atom->setIsotopeMass(planned.isotopeMass);
        atom->setValence(planned.valence);
        switch (planned.radical) {
        case radical_e::doublet:
            atom->setCount(countRadicalElectrons, 1);
            break;
        case radical_e::singlet:
        case radical_e::triplet:
            atom->setCount(countRadicalElectrons, 2);
            atom->setMultiplicity(planned.radical == radical_e::singlet ? 1 : 3);
            break;
        case radical_e::none:
            break;
        }
        indices.push_back(index);
    }
    for (const plannedBond_c& planned : bonds) {
        const uint32_t index = molecule.newBond(indices.at(planned.first), indices.at(planned.second), planned.order);
        molecule.bond(index)->setWedge(planned.wedge);
        molecule.bond(index)->setDoubleStereo(planned.doubleStereo);
    }
    if (chiralFlag) molecule.newGroup(12);
    if (atomIndex) *atomIndex = indices;
}

std::string testStructure_c::molfile() const {
    bool threeD = false;
    for (const plannedAtom_c& planned : atoms) threeD = threeD || planned.z != 0;
    std::string text = "test structure\n";
    text += threeD ? "  tavrtest        3D\n\n" : "  tavrtest        2D\n\n";
    text += formatText("%3zu%3zu  0  0%3d  0  0  0  0  0999 V2000\n", atoms.size(), bonds.size(),
                       chiralFlag ? 1 : 0);
    std::vector<std::pair<int, int>> charges, isotopes, radicals;
    for (size_t i = 0; i < atoms.size(); ++i) {
        const plannedAtom_c& a = atoms[i];
        text += formatText("%10.4f%10.4f%10.4f %-3s 0  0  0  0  0%3d  0  0  0  0  0  0\n", a.x, a.y, a.z,
                           a.symbol.c_str(), mdlValence(a.valence));
        const int position = static_cast<int>(i) + 1;
        if (a.charge != 0) charges.emplace_back(position, a.charge);
        if (a.isotopeMass != 0) isotopes.emplace_back(position, a.isotopeMass);
        if (a.radical != radical_e::none) radicals.emplace_back(position, mdlRadical(a.radical));
    }
    for (const plannedBond_c& b : bonds) {
        bool fromSecond = false;
        int stereo = 0;
        mdlWedge(b.wedge, fromSecond, stereo);
        if (b.order == 2) stereo = b.doubleStereo == 3 ? 3 : 0;
        const uint32_t narrow = fromSecond ? b.second : b.first;
        const uint32_t wide = fromSecond ? b.first : b.second;
        text += formatText("%3u%3u%3d%3d\n", narrow + 1, wide + 1, b.order, stereo);
    }
    text += propertyLines("CHG", charges) + propertyLines("ISO", isotopes) + propertyLines("RAD", radicals);
    text += "M  END\n";
    return text;
}

testStructure_c ethanol() {
    testStructure_c s;
    s.atom("C", 0, 0).atom("C", 1.299, 0.75).atom("O", 2.598, 0).bond(0, 1).bond(1, 2);
    return s;
}

testStructure_c halogenatedMethane(int32_t wedge) {
    testStructure_c s;
    s.atom("C", 0, 0).atom("F", 0, 1.5).atom("Cl", 1.3, -0.75).atom("Br", -1.3, -0.75);
    // Codes seen from the second end get the carbon as that end, so that the
    // carbon is the narrow end of the wedge whichever way it is described.
    const bool fromSecond = wedge == 6 || wedge == 7 || wedge == 8 || wedge == 13;
    if (fromSecond) {
        s.bond(1, 0, 1, wedge);
    } else {
        s.bond(0, 1, 1, wedge);
    }
    s.bond(0, 2).bond(0, 3);
    return s;
}

}  // namespace writeTest_n
