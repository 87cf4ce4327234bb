#pragma once
// The host molecule as the atom table of the InChI library's input record:
// atoms of kinds 21, 51 and 45 numbered by ascending host index, one
// inchi_Atom each. Host indices never reach the library; neighbour lists hold
// record indices.

#include <cstdint>

#include <inchi_api.h>

#include "write/recordsByAtom.h"

class molecule_c;
class atom_c;
class bond_c;

namespace InChI_n {

// The library counts atoms in a signed 16-bit field.
constexpr uint32_t maxInputAtoms = 32767;

// Sets num_atoms and atom of the input record, nothing else. A molecule the
// record cannot take throws badAtom_c or badBondType_c, more atoms than the
// record can count throw std::bad_alloc before any record is written; host
// exceptions pass through. The input record owns the array once it is set.
void buildInputAtoms(molecule_c& molecule, inchi_Input& input, bool addTavrelH);

// One record from one host atom (null throws badAtom_c), refused with
// badAtom_c before anything is written past the record's arrays.
void fillInputAtom(molecule_c& molecule, atom_c* atom, inchi_Atom& record,
                   const recordsByAtom_c& recordsByAtom, bool addTavrelH, bool is3D);

// The bond the atom shares with the neighbour (the smallest index when there
// are several), or null when they share none.
bond_c* findBond(molecule_c& molecule, atom_c& atom, uint32_t neighbourIndex);

// The bond's stereo code as seen from the atom; badBondType_c for a wedge code
// without a mapping.
S_CHAR hostToInchiStereo(atom_c& atom, bond_c& bond);

}  // namespace InChI_n
