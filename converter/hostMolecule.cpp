#include "converter/hostMolecule.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "host/molecule_c.h"
#include "refhost/refMolecule.h"

namespace molfile_n {

namespace {

constexpr int32_t chiralFlagGroup = 12;
constexpr int32_t pseudoAtomKind = 1;

void setRadical(refhost::refAtom_c& atom, int code) {
    switch (code) {
    case 1:
        atom.setMultiplicity(1);
        atom.setCount(countRadicalElectrons, 2);
        break;
    case 2:
        atom.setCount(countRadicalElectrons, 1);
        break;
    case 3:
        atom.setMultiplicity(3);
        atom.setCount(countRadicalElectrons, 2);
        break;
    default:
        break;
    }
}

int radicalCode(refhost::refAtom_c& atom) {
    int electrons = atom.countValue(countRadicalElectrons);
    if (electrons == 1)
        return 2;
    if (electrons == 2 && atom.multiplicityValue() == 1)
        return 1;
    if (electrons == 2 && atom.multiplicityValue() == 3)
        return 3;
    return 0;
}

// The driver takes valence minus bond order sum as the implicit hydrogen
// count, and -1 there would ask the InChI library to add hydrogens of its own.
// A valence field below the bond order sum therefore means no hydrogens (as
// MDL readers take it), and 15 means a valence of zero: no hydrogens either.
int hostValence(int field, int bondOrderSum) {
    if (field == 15)
        return bondOrderSum;
    return std::max(field, bondOrderSum);
}

// Host wedge codes seen from the bond's first end: 1 up, 2 down, 3 either.
int32_t hostWedge(int mdlStereo) {
    switch (mdlStereo) {
    case 1:
        return 1;
    case 6:
        return 2;
    case 4:
        return 3;
    default:
        return 0;
    }
}

}  // namespace

void buildHostMolecule(const molStructure_c& structure, refhost::refMolecule_c& molecule) {
    std::vector<uint32_t> indices;
    indices.reserve(structure.atoms.size());
    for (const molAtom_c& a : structure.atoms) {
        uint32_t index = molecule.newAtom(a.symbol.c_str());
        refhost::refAtom_c& atom = *molecule.atom(index);
        atom.place(a.x, a.y, a.z);
        if (a.pseudo)
            atom.setKind(pseudoAtomKind);
        atom.setCharge(a.charge);
        atom.setIsotopeMass(a.isotope);
        setRadical(atom, a.radical);
        indices.push_back(index);
    }
    std::vector<int> orderSums(structure.atoms.size(), 0);
    for (const molBond_c& b : structure.bonds) {
        uint32_t index = molecule.newBond(indices[b.first], indices[b.second], b.type);
        refhost::refBond_c& bond = *molecule.bond(index);
        if (b.type == 2)
            bond.setDoubleStereo(b.stereo == 3 ? 3 : 0);
        else
            bond.setWedge(hostWedge(b.stereo));
        orderSums[b.first] += b.type;
        orderSums[b.second] += b.type;
    }
    for (size_t i = 0; i < structure.atoms.size(); ++i) {
        int field = structure.atoms[i].valence;
        if (field != 0)
            molecule.atom(indices[i])->setValence(hostValence(field, orderSums[i]));
    }
    if (structure.chiral)
        molecule.newGroup(chiralFlagGroup);
}

namespace {

struct mdlBondEnds_c {
    bool swapped;
    int stereo;
};

// Host wedges seen from the second end (6, 7, 8, and 13 read like 6) are
// written with the bond's atoms swapped, since MDL wedges start at the first atom.
mdlBondEnds_c mdlStereo(refhost::refBond_c& bond) {
    if (bond.orderValue() == 2)
        return {false, bond.doubleStereoValue() == 3 ? 3 : 0};
    switch (bond.wedgeValue()) {
    case 1:
    case 12:
        return {false, 1};
    case 2:
        return {false, 6};
    case 3:
        return {false, 4};
    case 6:
    case 13:
        return {true, 1};
    case 7:
        return {true, 6};
    case 8:
        return {true, 4};
    default:
        return {false, 0};
    }
}

// Host valence to the MDL field: unset stays empty, 0 is written as 15, and a
// valence the field cannot hold is left out.
int valenceField(int32_t valence) {
    if (valence == atom_c::valenceNotSet || valence < 0 || valence > 14)
        return 0;
    return valence == 0 ? 15 : valence;
}

}  // namespace

molStructure_c structureOf(refhost::refMolecule_c& molecule) {
    std::vector<uint32_t> indices;
    for (int32_t kind : {int32_t(kindAtom), int32_t(kindAtomExtra51), int32_t(kindAtomExtra45)})
        for (uint32_t index : molecule.indicesOfKind(kind))
            if (molecule.atom(index))
                indices.push_back(index);
    std::sort(indices.begin(), indices.end());

    molStructure_c structure;
    std::unordered_map<uint32_t, size_t> positions;
    for (uint32_t index : indices) {
        refhost::refAtom_c& atom = *molecule.atom(index);
        molAtom_c a;
        a.x = atom.x();
        a.y = atom.y();
        a.z = atom.z();
        a.symbol = atom.symbolText();
        a.pseudo = atom.kindValue() != 0 && atom.kindValue() != 2;
        a.charge = atom.chargeValue();
        a.radical = radicalCode(atom);
        a.isotope = atom.isotopeValue();
        a.valence = valenceField(atom.valenceValue());
        positions.emplace(index, structure.atoms.size());
        structure.atoms.push_back(std::move(a));
    }
    for (uint32_t index : molecule.bondIndices()) {
        refhost::refBond_c* bond = molecule.bond(index);
        if (!bond)
            continue;
        auto first = positions.find(bond->first());
        auto second = positions.find(bond->second());
        if (first == positions.end() || second == positions.end())
            continue;
        mdlBondEnds_c stereo = mdlStereo(*bond);
        molBond_c b;
        b.first = stereo.swapped ? second->second : first->second;
        b.second = stereo.swapped ? first->second : second->second;
        b.type = bond->orderValue();
        b.stereo = stereo.stereo;
        structure.bonds.push_back(b);
    }
    for (uint32_t index : molecule.indicesOfKind(kindGroup)) {
        refhost::refGroup_c* group = molecule.group(index);
        if (group && group->typeCodeValue() == chiralFlagGroup)
            structure.chiral = true;
    }
    return structure;
}

}  // namespace molfile_n
