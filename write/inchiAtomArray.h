#pragma once
// Owns the atom array of an input record while it is being filled, so that a
// refused molecule gives its records back; release() hands the array to the
// input record, which frees it after the library call.

#include <cstddef>

#include <inchi_api.h>

namespace InChI_n {

class inchiAtomArray_c {
public:
    // Records are not cleared: the fill writes every field the library reads.
    explicit inchiAtomArray_c(size_t count) : atoms_(new inchi_Atom[count]) {}
    ~inchiAtomArray_c() { delete[] atoms_; }
    inchiAtomArray_c(const inchiAtomArray_c&) = delete;
    inchiAtomArray_c& operator=(const inchiAtomArray_c&) = delete;

    inchi_Atom& operator[](size_t i) { return atoms_[i]; }
    inchi_Atom* release() {
        inchi_Atom* atoms = atoms_;
        atoms_ = nullptr;
        return atoms;
    }

private:
    inchi_Atom* atoms_;
};

}  // namespace InChI_n
