#include "write/inputAtomTable.h"

#include <cstring>
#include <new>

#include "containers/bitSet_c.h"
#include "driver/driverErrors.h"
#include "host/molecule_c.h"
#include "write/inchiAtomArray.h"
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

recordsByAtom_c numberRecords(const bitSet_c& atoms, uint32_t count) {
    recordsByAtom_c recordsByAtom(count);
    forEachMember(atoms, [&](uint32_t index) { recordsByAtom.append(index); });
    return recordsByAtom;
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

S_CHAR radicalOf(atom_c& atom) {
    switch (atom.count(countRadicalElectrons)) {
    case 1:
        return INCHI_RADICAL_DOUBLET;
    case 2:
        switch (atom.multiplicity()) {
        case 1:
            return INCHI_RADICAL_SINGLET;
        case 3:
            return INCHI_RADICAL_TRIPLET;
        default:
            return INCHI_RADICAL_NONE;
        }
    default:
        return INCHI_RADICAL_NONE;
    }
}

// elname holds at most ATOM_EL_LEN - 1 characters and its terminator.
void copySymbol(atom_c& atom, inchi_Atom& record) {
    const char* symbol = atom.symbol();
    if (!symbol) throw badAtom_c();
    const size_t length = strnlen(symbol, ATOM_EL_LEN);
    if (length >= ATOM_EL_LEN) throw badAtom_c();
    std::memcpy(record.elname, symbol, length + 1);
}

// Fills neighbor, bond_type and bond_stereo; returns the bond order sum.
int fillNeighbours(molecule_c& molecule, atom_c& atom, inchi_Atom& record,
                   const recordsByAtom_c& recordsByAtom) {
    bitSet_c neighbours;
    atom.neighbours(neighbours, kindAtom);
    const uint32_t count = neighbours.bitCount();
    if (count > MAXVAL) throw badAtom_c();
    record.num_bonds = static_cast<AT_NUM>(count);
    int orderSum = 0;
    uint32_t i = 0;
    forEachMember(neighbours, [&](uint32_t neighbour) {
        bond_c* bond = findBond(molecule, atom, neighbour);
        // Without the shared bond there is no order to write, and without a
        // record index the neighbour would point at a record nobody fills.
        if (!bond) throw badAtom_c();
        if (!recordsByAtom.find(neighbour, record.neighbor[i])) throw badAtom_c();
        const int32_t order = bond->order();
        if (order < INCHI_BOND_TYPE_SINGLE || order > INCHI_BOND_TYPE_TRIPLE) throw badBondType_c();
        record.bond_type[i] = static_cast<S_CHAR>(order);
        record.bond_stereo[i] = hostToInchiStereo(atom, *bond);
        orderSum += order;
        ++i;
    });
    return orderSum;
}

// The library makes the hydrogens of a metal it disconnects into atoms of
// their own, and from about 43 hydrogens and bonds at one atom it then writes
// past a buffer on its stack and ends the process. No atom holds more than
// MAXVAL neighbours in a record, and none of a real structure carries more
// hydrogens and bonds together than that, so such an atom is refused, whatever
// its element, before the library sees it.
void refuseCrowdedAtom(const inchi_Atom& record) {
    int attached = record.num_bonds;
    for (const S_CHAR hydrogens : record.num_iso_H)
        if (hydrogens > 0) attached += hydrogens;
    if (attached > MAXVAL) throw badAtom_c();
}

// Counts of implicit 1H, 2H and 3H below zero mean nothing, and the library
// takes them anyway: it reads past a block of its own heap and answers with an
// identifier made of uninitialised memory. Such an atom is refused. (Only the
// count of num_iso_H[0] has a negative meaning: -1 asks for the library's own
// hydrogens.)
void refuseNegativeIsotopicHydrogens(const inchi_Atom& record) {
    for (int isotope = 1; isotope < NUM_H_ISOTOPES + 1; ++isotope)
        if (record.num_iso_H[isotope] < 0) throw badAtom_c();
}

// -1 asks the library to add the implicit hydrogens itself.
int implicitHydrogens(atom_c& atom, bool addTavrelH, int orderSum) {
    if (addTavrelH) return atom.count(countTavrelH) + atom.count(countImplicitH);
    const int32_t valence = atom.valence();
    if (valence == atom_c::valenceNotSet) return -1;
    return valence - orderSum - atom.count(countImplicit1H) - atom.count(countImplicit2H) -
           atom.count(countImplicit3H);
}

}  // namespace

void buildInputAtoms(molecule_c& molecule, inchi_Input& input, bool addTavrelH) {
    bitSet_c atoms;
    collectAtoms(molecule, atoms);
    const uint32_t count = atoms.bitCount();
    // num_atoms would wrap; refused like an array that cannot be had.
    if (count > maxInputAtoms) throw std::bad_alloc();
    inchiAtomArray_c records(count);
    const recordsByAtom_c recordsByAtom = numberRecords(atoms, count);
    const bool is3D = isThreeD(molecule, atoms);
    bool skipped = false;
    // The same ascending walk that numbered the records: the k-th member
    // visited has record k.
    uint32_t record = 0;
    forEachMember(atoms, [&](uint32_t index) {
        atom_c* atom = molecule.atomAt(index);
        if (!atom) {
            skipped = true;
        } else {
            if (!writableKind(atom->kind())) throw badAtom_c();
            fillInputAtom(molecule, atom, records[record], recordsByAtom, addTavrelH, is3D);
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
    if (!atom) throw badAtom_c();
    if (is3D) {
        record.x = atom->x3D();
        record.y = atom->y3D();
        record.z = atom->z3D();
    } else {
        record.x = atom->x2D();
        record.y = atom->y2D();
        record.z = 0.0;
    }
    record.charge = static_cast<S_CHAR>(atom->charge());
    record.radical = radicalOf(*atom);
    record.isotopic_mass = static_cast<AT_NUM>(atom->isotopeMass());
    copySymbol(*atom, record);
    const int orderSum = fillNeighbours(molecule, *atom, record, recordsByAtom);
    record.num_iso_H[0] = static_cast<S_CHAR>(implicitHydrogens(*atom, addTavrelH, orderSum));
    record.num_iso_H[1] = static_cast<S_CHAR>(atom->count(countImplicit1H));
    record.num_iso_H[2] = static_cast<S_CHAR>(atom->count(countImplicit2H));
    record.num_iso_H[3] = static_cast<S_CHAR>(atom->count(countImplicit3H));
    refuseNegativeIsotopicHydrogens(record);
    refuseCrowdedAtom(record);
}

bond_c* findBond(molecule_c& molecule, atom_c& atom, uint32_t neighbourIndex) {
    bitSet_c shared;
    atom.relatedSet(shared, kindBond);
    bitSet_c neighbourBonds;
    molecule.bondsOfAtom(neighbourBonds, neighbourIndex);
    shared.assignAnd(shared, neighbourBonds);
    uint32_t bondIndex = 0;
    if (!shared.firstSetBit(bondIndex)) return nullptr;
    return molecule.bondAt(bondIndex);
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
