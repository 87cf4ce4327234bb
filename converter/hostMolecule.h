#pragma once
// Moves a molfile's structure into a reference-host molecule and back, with
// the encodings listed in molfile.h.

#include "converter/molStructure.h"

namespace refhost {
class refMolecule_c;
}

namespace molfile_n {

// Adds the structure's atoms (in order), bonds and chiral flag to molecule.
void buildHostMolecule(const molStructure_c& structure, refhost::refMolecule_c& molecule);
// The molecule's atoms of kinds 21, 51 and 45 in ascending index order, the
// bonds between them in index order, and the chiral flag (a type-12 group).
molStructure_c structureOf(refhost::refMolecule_c& molecule);

}  // namespace molfile_n
