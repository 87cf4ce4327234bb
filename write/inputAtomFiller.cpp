#include "write/inputAtomFiller.h"

#include <cstddef>
#include <cstring>

#include "driver/driverErrors.h"
#include "host/molecule_c.h"
#include "write/inputAtomTable.h"

namespace InChI_n {

namespace {

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

// elname holds at most ATOM_EL_LEN - 1 characters and its terminator; a
// longer symbol is refused, and the record it was copied into with it.
void copySymbol(atom_c& atom, inchi_Atom& record) {
    const char* symbol = atom.symbol();
    if (!symbol) throw badAtom_c();
    for (size_t i = 0; i < ATOM_EL_LEN; ++i) {
        record.elname[i] = symbol[i];
        if (symbol[i] == '\0') return;
    }
    throw badAtom_c();
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

// Counts of implicit hydrogens below zero mean nothing, but for the -1 in
// num_iso_H[0] that asks for the library's own hydrogens, and the library
// takes them anyway: for a negative 1H, 2H or 3H count it reads past a block of
// its own heap and answers with an identifier made of uninitialised memory;
// for num_iso_H[0] below -1 beside isotopic hydrogens it reads past a block too
// or writes a formula that leaves them out, both as a success (alone, it is an
// error). Such an atom is refused.
void refuseNegativeHydrogenCounts(const inchi_Atom& record) {
    if (record.num_iso_H[0] < -1) throw badAtom_c();
    for (int isotope = 1; isotope < NUM_H_ISOTOPES + 1; ++isotope)
        if (record.num_iso_H[isotope] < 0) throw badAtom_c();
}

// An H+ without bonds or hydrogens is a bare proton to the library, which
// knows its isotopes only as the masses 1, 2 and 3 (or their shifts from the
// average mass): for another mass it drops or changes the isotope and answers
// success, and for some (25, 44, 300 among them) it corrupts its heap and the
// process ends in free(). Such a proton is refused.
void refuseUnknownProtonIsotope(const inchi_Atom& record) {
    // Every atom passes here: the charge is asked before the element's name.
    const bool bareProton = record.charge == 1 && record.num_bonds == 0 && record.num_iso_H[0] <= 0 &&
                            record.num_iso_H[1] == 0 && record.num_iso_H[2] == 0 && record.num_iso_H[3] == 0 &&
                            std::strcmp(record.elname, "H") == 0;
    if (!bareProton) return;
    const int mass = record.isotopic_mass;
    const bool massNumber = mass >= 0 && mass <= 3;
    const bool shift = mass >= ISOTOPIC_SHIFT_FLAG && mass <= ISOTOPIC_SHIFT_FLAG + 2;
    if (!massNumber && !shift) throw badAtom_c();
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

inputAtomFiller_c::inputAtomFiller_c(molecule_c& molecule, const recordsByAtom_c& recordsByAtom, bool addTavrelH,
                                     bool is3D)
    : molecule_(molecule), recordsByAtom_(recordsByAtom), addTavrelH_(addTavrelH), is3D_(is3D) {}

void inputAtomFiller_c::fill(atom_c* atom, inchi_Atom& record) {
    if (!atom) throw badAtom_c();
    if (is3D_) {
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
    const int orderSum = fillNeighbours(*atom, record);
    record.num_iso_H[0] = static_cast<S_CHAR>(implicitHydrogens(*atom, addTavrelH_, orderSum));
    record.num_iso_H[1] = static_cast<S_CHAR>(atom->count(countImplicit1H));
    record.num_iso_H[2] = static_cast<S_CHAR>(atom->count(countImplicit2H));
    record.num_iso_H[3] = static_cast<S_CHAR>(atom->count(countImplicit3H));
    refuseNegativeHydrogenCounts(record);
    refuseCrowdedAtom(record);
    refuseUnknownProtonIsotope(record);
}

int inputAtomFiller_c::fillNeighbours(atom_c& atom, inchi_Atom& record) {
    atom.neighbours(neighbours_, kindAtom);
    const uint32_t count = neighbours_.bitCount();
    if (count > MAXVAL) throw badAtom_c();
    record.num_bonds = static_cast<AT_NUM>(count);
    int orderSum = 0;
    uint32_t i = 0;
    uint32_t neighbour = 0;
    for (bool more = neighbours_.nextSetBit(0, neighbour); more; more = neighbours_.nextSetBit(neighbour + 1, neighbour)) {
        bond_c* bond = findBond(atom, neighbour);
        // Without the shared bond there is no order to write, and without a
        // record index the neighbour would point at a record nobody fills.
        if (!bond) throw badAtom_c();
        if (!recordsByAtom_.find(neighbour, record.neighbor[i])) throw badAtom_c();
        const int32_t order = bond->order();
        if (order < INCHI_BOND_TYPE_SINGLE || order > INCHI_BOND_TYPE_TRIPLE) throw badBondType_c();
        record.bond_type[i] = static_cast<S_CHAR>(order);
        record.bond_stereo[i] = hostToInchiStereo(atom, *bond);
        orderSum += order;
        ++i;
    }
    return orderSum;
}

bond_c* inputAtomFiller_c::findBond(atom_c& atom, uint32_t neighbourIndex) {
    atom.relatedSet(sharedBonds_, kindBond);
    molecule_.bondsOfAtom(neighbourBonds_, neighbourIndex);
    sharedBonds_.assignAnd(sharedBonds_, neighbourBonds_);
    uint32_t bondIndex = 0;
    if (!sharedBonds_.firstSetBit(bondIndex)) return nullptr;
    return molecule_.bondAt(bondIndex);
}

}  // namespace InChI_n
