#pragma once
// A reference-host molecule as text, read through the inspection accessors
// (which report no host call), so that tests can tell whether a driver call
// changed it and compare what two reads built.

#include <string>
#include <vector>

namespace refhost {
class refMolecule_c;
}

namespace hardening_n {

// Every object in index order with every value the host keeps for it;
// coordinates in hexadecimal floating point, so equal texts mean equal bits.
std::string snapshot(refhost::refMolecule_c& molecule);

// One line per object in index order naming what the object is (an atom, a
// bond between two indices, a group, or nothing), without its attributes: the
// shape a read builds, step by step.
std::vector<std::string> objectShapes(refhost::refMolecule_c& molecule);

}  // namespace hardening_n
