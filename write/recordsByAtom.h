#pragma once
// Host atom index -> record index of one write: the members of the atom set
// in ascending order, each standing at its record index. One ascending walk
// builds it in a single block, and a lookup is a binary search, so a write
// allocates nothing per atom for it.

#include <algorithm>
#include <cstdint>
#include <vector>

#include <inchi_api.h>

namespace InChI_n {

class recordsByAtom_c {
public:
    explicit recordsByAtom_c(uint32_t members) { atoms_.reserve(members); }

    // The next member of the walk; members come in ascending order.
    void append(uint32_t atomIndex) { atoms_.push_back(atomIndex); }

    // False when the index is no member of the atom set.
    bool find(uint32_t atomIndex, AT_NUM& record) const {
        const auto found = std::lower_bound(atoms_.begin(), atoms_.end(), atomIndex);
        if (found == atoms_.end() || *found != atomIndex) return false;
        record = static_cast<AT_NUM>(found - atoms_.begin());
        return true;
    }

private:
    std::vector<uint32_t> atoms_;
};

}  // namespace InChI_n
