#pragma once
// Carbon skeletons of any size for the scaling benchmarks: chains, rings and
// fused grids of six-membered rings (a honeycomb laid out as a brick wall),
// all single bonds, hydrogens left to the InChI library. Each comes as a host
// molecule (atoms first, then bonds, as the molfile reader makes them) and as
// the input record the AuxInfo parser would give for it.

#include <inchi_api.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "refhost/refMolecule.h"

namespace bench_n {

enum class shape_e { chain, ring, grid };

const char* shapeName(shape_e shape);

struct shapeGraph_c {
    uint32_t atoms = 0;
    std::vector<std::pair<uint32_t, uint32_t>> bonds;  // atom positions, from 0
    std::vector<double> x, y;
};

shapeGraph_c makeShape(shape_e shape, uint32_t atoms);

std::unique_ptr<refhost::refMolecule_c> hostMolecule(const shapeGraph_c& graph);

// Every bond stands in the neighbour lists of both its atoms, as the parser
// lists them.
class parsedShape_c {
public:
    explicit parsedShape_c(const shapeGraph_c& graph);
    parsedShape_c(const parsedShape_c&) = delete;
    parsedShape_c& operator=(const parsedShape_c&) = delete;

    const InchiInpData& data() const { return data_; }

private:
    std::vector<inchi_Atom> records_;
    inchi_Input input_;
    InchiInpData data_;
};

}  // namespace bench_n
