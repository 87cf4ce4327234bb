#include "moleculeSnapshot.h"

#include <map>

#include "refhost/refMolecule.h"
#include "tests/support/formatText.h"

namespace hardening_n {

namespace {

using refhost::refMolecule_c;
using testSupport_n::formatText;

std::map<uint32_t, int32_t> kindsByIndex(refMolecule_c& molecule) {
    std::map<uint32_t, int32_t> kinds;
    for (int32_t kind : {kindAtom, kindAtomExtra45, kindAtomExtra51, kindBond, kindGroup})
        for (uint32_t index : molecule.indicesOfKind(kind)) kinds[index] = kind;
    return kinds;
}

std::string atomText(refhost::refAtom_c& a) {
    std::string text =
        formatText("atom kind %d '%s' charge %d isotope %d multiplicity %d valence %d xyz %a %a %a counts",
                   a.kindValue(), a.symbolText().c_str(), a.chargeValue(), a.isotopeValue(), a.multiplicityValue(),
                   a.valenceValue(), a.x(), a.y(), a.z());
    for (int32_t code : {countImplicitH, countImplicit1H, countImplicit2H, countImplicit3H, countRadicalElectrons,
                         countTavrelH})
        text += formatText(" %d", a.countValue(code));
    text += " bonds";
    for (uint32_t b : a.bondIndices()) text += formatText(" %u", b);
    return text;
}

std::string bondText(refhost::refBond_c& b) {
    return formatText("bond %u-%u order %d wedge %d double %d flag %d", b.first(), b.second(), b.orderValue(),
                      b.wedgeValue(), b.doubleStereoValue(), b.stereoFlagValue());
}

}  // namespace

std::string snapshot(refMolecule_c& molecule) {
    const std::map<uint32_t, int32_t> kinds = kindsByIndex(molecule);
    std::string text;
    for (uint32_t i = 0; i < molecule.objectCount(); ++i) {
        const auto kind = kinds.find(i);
        text += formatText("%u [%d] ", i, kind == kinds.end() ? -1 : kind->second);
        if (refhost::refAtom_c* a = molecule.atom(i))
            text += atomText(*a);
        else if (refhost::refBond_c* b = molecule.bond(i))
            text += bondText(*b);
        else if (refhost::refGroup_c* g = molecule.group(i))
            text += formatText("group %d", g->typeCodeValue());
        else
            text += "no object";
        text += '\n';
    }
    return text;
}

std::vector<std::string> objectShapes(refMolecule_c& molecule) {
    std::vector<std::string> shapes;
    for (uint32_t i = 0; i < molecule.objectCount(); ++i) {
        if (molecule.atom(i))
            shapes.push_back("atom");
        else if (refhost::refBond_c* b = molecule.bond(i))
            shapes.push_back(formatText("bond %u-%u", b->first(), b->second()));
        else if (molecule.group(i))
            shapes.push_back("group");
        else
            shapes.push_back("no object");
    }
    return shapes;
}

}  // namespace hardening_n
