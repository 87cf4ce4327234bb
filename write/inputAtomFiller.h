#pragma once
// Fills input records from host atoms for one build of the atom table. The
// neighbour set and the two sets of every bond lookup are kept for the whole
// build and refilled by the host each time: once a molecule outgrows a set's
// inline words, fresh sets would take and give back a host block per atom
// and per bond.

#include <cstdint>

#include <inchi_api.h>

#include "containers/bitSet_c.h"
#include "write/recordsByAtom.h"

class molecule_c;
class atom_c;
class bond_c;

namespace InChI_n {

class inputAtomFiller_c {
public:
    inputAtomFiller_c(molecule_c& molecule, const recordsByAtom_c& recordsByAtom, bool addTavrelH, bool is3D);
    inputAtomFiller_c(const inputAtomFiller_c&) = delete;
    inputAtomFiller_c& operator=(const inputAtomFiller_c&) = delete;

    // One record from one host atom (null throws badAtom_c), refused with
    // badAtom_c before anything is written past the record's arrays.
    void fill(atom_c* atom, inchi_Atom& record);

    // The bond the atom shares with the neighbour (the smallest index when
    // there are several), or null when they share none.
    bond_c* findBond(atom_c& atom, uint32_t neighbourIndex);

private:
    // Fills neighbor, bond_type and bond_stereo; returns the bond order sum.
    int fillNeighbours(atom_c& atom, inchi_Atom& record);

    molecule_c& molecule_;
    const recordsByAtom_c& recordsByAtom_;
    const bool addTavrelH_;
    const bool is3D_;
    bitSet_c neighbours_;
    bitSet_c sharedBonds_;
    bitSet_c neighbourBonds_;
};

}  // namespace InChI_n
