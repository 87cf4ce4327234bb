#include "converter/auxInfoHydrogens.h"

#include <inchi_api.h>

#include <cstring>
#include <vector>

#include "host/molecule_c.h"
#include "refhost/refMolecule.h"

namespace converter_n {

namespace {

// The library's record of one parse, released however the caller leaves.
class parsedAuxInfo_c {
public:
    explicit parsedAuxInfo_c(const std::string& auxInfo) {
        std::memset(&input_, 0, sizeof input_);
        std::memset(&data_, 0, sizeof data_);
        data_.pInp = &input_;
        std::vector<char> text(auxInfo.begin(), auxInfo.end());
        text.push_back('\0');
        const int addHydrogens = 0;
        const int sameUnknownAndUndefined = 0;
        int rc = Get_inchi_Input_FromAuxInfo(text.data(), addHydrogens, sameUnknownAndUndefined, &data_);
        ok_ = rc == inchi_Ret_OKAY || rc == inchi_Ret_WARNING;
    }
    ~parsedAuxInfo_c() { Free_inchi_Input(&input_); }
    parsedAuxInfo_c(const parsedAuxInfo_c&) = delete;
    parsedAuxInfo_c& operator=(const parsedAuxInfo_c&) = delete;

    bool ok() const { return ok_; }
    const inchi_Input& input() const { return input_; }
    bool chiral() const { return data_.bChiral == 1; }

private:
    inchi_Input input_;
    InchiInpData data_;
    bool ok_ = false;
};

// Record indices in the order the driver creates their host atoms.
std::vector<int> firstReferenceOrder(const inchi_Input& input) {
    std::vector<int> order;
    std::vector<bool> seen(size_t(input.num_atoms > 0 ? input.num_atoms : 0), false);
    auto reach = [&](int record) {
        if (record >= 0 && size_t(record) < seen.size() && !seen[size_t(record)]) {
            seen[size_t(record)] = true;
            order.push_back(record);
        }
    };
    for (int i = 0; i < input.num_atoms; ++i) {
        reach(i);
        const inchi_Atom& atom = input.atom[i];
        for (int j = 0; j < atom.num_bonds; ++j)
            reach(atom.neighbor[j]);
    }
    return order;
}

int bondOrderSum(refhost::refMolecule_c& molecule, refhost::refAtom_c& atom) {
    int sum = 0;
    for (uint32_t index : atom.bondIndices())
        if (refhost::refBond_c* bond = molecule.bond(index))
            sum += bond->orderValue();
    return sum;
}

}  // namespace

auxInfoFacts_c encodeAuxInfoHydrogens(const std::string& auxInfo, refhost::refMolecule_c& molecule) {
    auxInfoFacts_c facts;
    parsedAuxInfo_c parsed(auxInfo);
    if (!parsed.ok())
        return facts;
    facts.parsed = true;
    facts.chiral = parsed.chiral();
    std::vector<int> order = firstReferenceOrder(parsed.input());
    const std::vector<uint32_t>& atoms = molecule.indicesOfKind(kindAtom);
    if (atoms.size() != order.size())
        return facts;
    for (size_t k = 0; k < atoms.size(); ++k) {
        const inchi_Atom& record = parsed.input().atom[order[k]];
        refhost::refAtom_c* atom = molecule.atom(atoms[k]);
        if (!atom || record.num_iso_H[0] < 0)
            continue;
        int hydrogens = record.num_iso_H[0] + record.num_iso_H[1] + record.num_iso_H[2] + record.num_iso_H[3];
        atom->setValence(bondOrderSum(molecule, *atom) + hydrogens);
    }
    return facts;
}

}  // namespace converter_n
