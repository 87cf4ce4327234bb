#pragma once
// The molecules the hardening tests put through the driver again and again:
// records of the bundled samples chosen by what they exercise (plain 2D,
// wedged stereo, a radical, a 3D conformer with explicit
// hydrogens) and a chain of more than 128 atoms, whose sets no longer fit the
// inline words of a bitSet_c and take heap blocks.

#include <functional>
#include <string>
#include <vector>

namespace refhost {
class refMolecule_c;
}

namespace hardening_n {

struct sampleMolecule_c {
    std::string name;
    std::function<void(refhost::refMolecule_c&)> build;  // into an empty molecule
};

std::vector<sampleMolecule_c> sampleMolecules();

}  // namespace hardening_n
