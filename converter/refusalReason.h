#pragma once
// Why the driver most likely refused a molecule it was given: the first
// feature it is known not to take, in words for the user.

#include <string>

namespace refhost {
class refMolecule_c;
}

namespace converter_n {

// Most atoms the InChI library takes in one structure.
constexpr size_t maxInchiAtoms = 1023;
// Most neighbours of one atom in the InChI library's input record.
constexpr size_t maxInchiNeighbours = 20;

// Empty when the molecule shows none of the known reasons.
std::string refusalReason(refhost::refMolecule_c& molecule);

}  // namespace converter_n
