#include "converter/refusalReason.h"

#include <unordered_map>

#include "host/molecule_c.h"
#include "refhost/refMolecule.h"

namespace converter_n {

namespace {

// 1-based atom numbers in file order, which is ascending index order.
std::unordered_map<uint32_t, size_t> atomNumbers(refhost::refMolecule_c& molecule) {
    std::unordered_map<uint32_t, size_t> numbers;
    for (uint32_t index : molecule.indicesOfKind(kindAtom))
        numbers.emplace(index, numbers.size() + 1);
    return numbers;
}

std::string bondReason(int order) {
    if (order == 4)
        return "an aromatic bond (type 4)";
    return "a query bond (type " + std::to_string(order) + ")";
}

}  // namespace

std::string refusalReason(refhost::refMolecule_c& molecule) {
    const std::vector<uint32_t>& atoms = molecule.indicesOfKind(kindAtom);
    if (atoms.size() > maxInchiAtoms)
        return std::to_string(atoms.size()) + " atoms, more than the " + std::to_string(maxInchiAtoms) +
               " the InChI library takes";
    std::unordered_map<uint32_t, size_t> numbers = atomNumbers(molecule);
    for (uint32_t index : atoms) {
        refhost::refAtom_c* atom = molecule.atom(index);
        if (!atom)
            continue;
        if (atom->kindValue() != 0 && atom->kindValue() != 2)
            return "atom " + std::to_string(numbers[index]) + " (" + atom->symbolText() +
                   ") is a query or pseudo atom, not an element";
        if (atom->bondIndices().size() > maxInchiNeighbours)
            return "atom " + std::to_string(numbers[index]) + " (" + atom->symbolText() + ") has " +
                   std::to_string(atom->bondIndices().size()) + " neighbours, more than the " +
                   std::to_string(maxInchiNeighbours) + " the InChI library takes";
    }
    for (uint32_t index : molecule.bondIndices()) {
        refhost::refBond_c* bond = molecule.bond(index);
        if (bond && (bond->orderValue() < 1 || bond->orderValue() > 3))
            return bondReason(bond->orderValue()) + " between atoms " + std::to_string(numbers[bond->first()]) +
                   " and " + std::to_string(numbers[bond->second()]) + "; InChI takes single, double and triple bonds";
    }
    return {};
}

}  // namespace converter_n
