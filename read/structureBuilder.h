#pragma once
// Turns the InChI library's input record, as its AuxInfo parser filled it, into
// atoms and bonds of a host molecule. Host atoms are made on first reference:
// when their record comes up, or earlier as the neighbour of a lower record, so
// host atom indices follow the order in which the neighbour lists reach the
// atoms. Everything made stays in the molecule when a later step throws.

#include <inchi_api.h>

#include <cstdint>
#include <vector>

#include "containers/bitSet_c.h"

class molecule_c;
class atom_c;

namespace InChI_n {
namespace Read_n {

class structureBuilder_c {
public:
    // Asks the molecule for its owner value once; every addAtom passes it on.
    explicit structureBuilder_c(molecule_c& target);
    structureBuilder_c(const structureBuilder_c&) = delete;
    structureBuilder_c& operator=(const structureBuilder_c&) = delete;

    // Every record in order. A record that names no existing other record as a
    // neighbour, lists more than MAXVAL neighbours, or has an empty or
    // unterminated element name is refused with badData before anything is made.
    void build(const InchiInpData& data);
    // The host atom of a record index, made now when the index is new. A null
    // from atomAt is remembered too, so no second atom is made for the index.
    // A negative index names no record: badData.
    atom_c* getAtom(int16_t record);
    // The bond of neighbour entry j, made from the current atom unless the two
    // atoms already share one. Throws badBondType_c after setOrder for a stereo
    // code without a host mapping.
    void addNeighbourBond(atom_c& atom, const inchi_Atom& record, int16_t j, bool chiral);
    // Coordinates, then the record's bonds, then the atom's own attributes.
    void setAtom(atom_c& atom, const InchiInpData& data, int16_t record);

private:
    // Whether the two atoms already share a bond.
    bool shareBond(atom_c& first, atom_c& second);

    // One entry per record index, telling whether its host atom is made yet:
    // the records are numbered from 0, so a vector serves as the map without
    // a node per atom.
    struct madeAtom_c {
        bool made = false;
        atom_c* atom = nullptr;
    };

    uint32_t owner;
    std::vector<madeAtom_c> atomsByRecord;
    molecule_c& molecule;
    bitSet_c firstBonds;
    bitSet_c secondBonds;
    bitSet_c sharedBonds;
};

// One builder for one read, discarded at the end, also when an exception leaves.
void buildStructure(molecule_c& molecule, const InchiInpData& data);

// The host's wedge (or, for a double bond, double-bond) code of the library's
// bond_stereo; only whether bondType is 2 matters. Throws badBondType_c for a
// code the host has no mapping for.
int32_t inchiToHostStereo(int8_t stereo, int32_t bondType);

}  // namespace Read_n
}  // namespace InChI_n
