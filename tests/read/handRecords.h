#pragma once
// InChI input records made by hand, as the library's AuxInfo parser would
// leave them, for the structure builder's tests.

#include <inchi_api.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace readTest_n {

struct bondEntry_c {
    int16_t neighbour;
    int8_t type = INCHI_BOND_TYPE_SINGLE;
    int8_t stereo = INCHI_BOND_STEREO_NONE;
};

class handRecords_c {
public:
    // A record with the element, its neighbour entries and nothing else set.
    handRecords_c& atom(const char* element, std::initializer_list<bondEntry_c> bonds = {}) {
        inchi_Atom record;
        std::memset(&record, 0, sizeof record);
        std::strncpy(record.elname, element, ATOM_EL_LEN - 1);
        for (const bondEntry_c& bond : bonds) {
            record.neighbor[record.num_bonds] = bond.neighbour;
            record.bond_type[record.num_bonds] = bond.type;
            record.bond_stereo[record.num_bonds] = bond.stereo;
            ++record.num_bonds;
        }
        atoms_.push_back(record);
        return *this;
    }
    inchi_Atom& record(size_t i) { return atoms_.at(i); }

    // The parser's data record over these atoms; valid until the next atom().
    InchiInpData& data(int chiralMark = 0) {
        std::memset(&input_, 0, sizeof input_);
        input_.atom = atoms_.empty() ? nullptr : atoms_.data();
        input_.num_atoms = static_cast<AT_NUM>(atoms_.size());
        std::memset(&data_, 0, sizeof data_);
        data_.pInp = &input_;
        data_.bChiral = chiralMark;
        return data_;
    }

private:
    std::vector<inchi_Atom> atoms_;
    inchi_Input input_;
    InchiInpData data_;
};

}  // namespace readTest_n
