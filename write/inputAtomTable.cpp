#include "write/inputAtomTable.h"

#include <new>

#include "containers/bitSet_c.h"
#include "driver/driverErrors.h"
#include "host/molecule_c.h"
#include "write/inchiAtomArray.h"
#include "write/inputAtomFiller.h"
#include "write/threeDRule.h"

namespace InChI_n {

namespace {

// Calls visit(index) for every member of the set in ascending order.
template <class Visit>
void forEachMember(const bitSet_c& set, Visit visit) {
    uint32_t index = 0;
    for (bool more = set.nextSetBit(0, index); more; more = set.nextSetBit(index + 1, index)) {
        visit(index);
    }
}

// Union of the three kinds of atom objects, asked for in the order 21, 51, 45.
void collectAtoms(molecule_c& molecule, bitSet_c& atoms) {
    molecule.objectsOfKind(atoms, kindAtom);
    for (int32_t kind : {kindAtomExtra51, kindAtomExtra45}) {
        bitSet_c more;
        molecule.objectsOfKind(more, kind);
        atoms.assignOr(atoms, more);
    }
}

// The first 3D atom decides; a missing atom met before it is refused, since
// the coordinates of the whole molecule cannot be judged without it.
bool isThreeD(molecule_c& molecule, const bitSet_c& atoms) {
    uint32_t index = 0;
    for (bool more = atoms.nextSetBit(0, index); more; more = atoms.nextSetBit(index + 1, index)) {
        atom_c* atom = molecule.atomAt(index);
        if (!atom) throw badAtom_c();
        if (zMakesThreeD(atom->z3D())) return true;
    }
    return false;
}

bool writableKind(int32_t kind) { return kind == 0 || kind == 2; }

}  // namespace

void buildInputAtoms(molecule_c& molecule, inchi_Input& input, bool addTavrelH) {
    bitSet_c atoms;
    collectAtoms(molecule, atoms);
    const uint32_t count = atoms.bitCount();
    // num_atoms would wrap; refused like an array that cannot be had.
    if (count > maxInputAtoms) throw std::bad_alloc();
    inchiAtomArray_c records(count);
    const recordsByAtom_c recordsByAtom(atoms);
    const bool is3D = isThreeD(molecule, atoms);
    inputAtomFiller_c filler(molecule, recordsByAtom, addTavrelH, is3D);
    bool skipped = false;
    // An ascending walk: the k-th member visited has rank k in the set, which
    // is its record index in recordsByAtom.
    uint32_t record = 0;
    forEachMember(atoms, [&](uint32_t index) {
        atom_c* atom = molecule.atomAt(index);
        if (!atom) {
            skipped = true;
        } else {
            if (!writableKind(atom->kind())) throw badAtom_c();
            filler.fill(atom, records[record]);
        }
        ++record;
    });
    // A skipped member leaves a record nothing wrote; the library must not read it.
    if (skipped) throw badAtom_c();
    input.num_atoms = static_cast<AT_NUM>(count);
    input.atom = records.release();
}

void fillInputAtom(molecule_c& molecule, atom_c* atom, inchi_Atom& record,
                   const recordsByAtom_c& recordsByAtom, bool addTavrelH, bool is3D) {
    inputAtomFiller_c(molecule, recordsByAtom, addTavrelH, is3D).fill(atom, record);
}

bond_c* findBond(molecule_c& molecule, atom_c& atom, uint32_t neighbourIndex) {
    const bitSet_c noAtoms;
    const recordsByAtom_c noRecords(noAtoms);
    return inputAtomFiller_c(molecule, noRecords, false, false).findBond(atom, neighbourIndex);
}

S_CHAR hostToInchiStereo(atom_c& atom, bond_c& bond) {
    if (bond.order() == INCHI_BOND_TYPE_DOUBLE) {
        return bond.doubleStereo() == 3 ? INCHI_BOND_STEREO_DOUBLE_EITHER : INCHI_BOND_STEREO_NONE;
    }
    const bool atFirstEnd = bond.atomIndexAt(0) == atom.index();
    S_CHAR fromFirstEnd = INCHI_BOND_STEREO_NONE;
    switch (bond.wedge()) {
    case 0:
        return INCHI_BOND_STEREO_NONE;
    case 1:
    case 12:
        fromFirstEnd = INCHI_BOND_STEREO_SINGLE_1UP;
        break;
    case 2:
        fromFirstEnd = INCHI_BOND_STEREO_SINGLE_1DOWN;
        break;
    case 3:
        fromFirstEnd = INCHI_BOND_STEREO_SINGLE_1EITHER;
        break;
    case 6:
    case 13:
        fromFirstEnd = INCHI_BOND_STEREO_SINGLE_2UP;
        break;
    case 7:
        fromFirstEnd = INCHI_BOND_STEREO_SINGLE_2DOWN;
        break;
    case 8:
        fromFirstEnd = INCHI_BOND_STEREO_SINGLE_2EITHER;
        break;
    default:
        throw badBondType_c();
    }
    return static_cast<S_CHAR>(atFirstEnd ? fromFirstEnd : -fromFirstEnd);
}

}  // namespace InChI_n
