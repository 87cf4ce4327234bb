#include "bench/shapes.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace bench_n {

namespace {

constexpr double bondLength = 1.5;

void chain(shapeGraph_c& graph) {
    for (uint32_t i = 0; i < graph.atoms; ++i) {
        graph.x.push_back(i * bondLength * 0.87);
        graph.y.push_back((i % 2) * bondLength * 0.5);
        if (i > 0) graph.bonds.emplace_back(i - 1, i);
    }
}

void ring(shapeGraph_c& graph) {
    const double radius = graph.atoms * bondLength / (2 * M_PI);
    for (uint32_t i = 0; i < graph.atoms; ++i) {
        const double angle = 2 * M_PI * i / graph.atoms;
        graph.x.push_back(radius * std::cos(angle));
        graph.y.push_back(radius * std::sin(angle));
        if (i > 0) graph.bonds.emplace_back(i - 1, i);
    }
    if (graph.atoms > 2) graph.bonds.emplace_back(0, graph.atoms - 1);
}

// Rows of a square-ish brick wall: every atom bonds to its right neighbour,
// and every other atom to the one below, which closes six-membered rings.
void grid(shapeGraph_c& graph) {
    const uint32_t width = static_cast<uint32_t>(std::ceil(std::sqrt(double(graph.atoms))));
    for (uint32_t i = 0; i < graph.atoms; ++i) {
        const uint32_t row = i / width, column = i % width;
        graph.x.push_back(column * bondLength * 0.87);
        graph.y.push_back(row * bondLength * 1.5 + ((row + column) % 2) * bondLength * 0.5);
        if (column + 1 < width && i + 1 < graph.atoms) graph.bonds.emplace_back(i, i + 1);
        if ((row + column) % 2 == 0 && i + width < graph.atoms) graph.bonds.emplace_back(i, i + width);
    }
}

}  // namespace

const char* shapeName(shape_e shape) {
    switch (shape) {
    case shape_e::chain: return "chain";
    case shape_e::ring: return "ring";
    case shape_e::grid: return "grid";
    }
    return "?";
}

shapeGraph_c makeShape(shape_e shape, uint32_t atoms) {
    shapeGraph_c graph;
    graph.atoms = atoms;
    switch (shape) {
    case shape_e::chain: chain(graph); break;
    case shape_e::ring: ring(graph); break;
    case shape_e::grid: grid(graph); break;
    }
    return graph;
}

std::unique_ptr<refhost::refMolecule_c> hostMolecule(const shapeGraph_c& graph) {
    auto molecule = std::make_unique<refhost::refMolecule_c>();
    for (uint32_t i = 0; i < graph.atoms; ++i) {
        molecule->atom(molecule->newAtom("C"))->place(graph.x[i], graph.y[i], 0.0);
    }
    for (const auto& bond : graph.bonds) molecule->newBond(bond.first, bond.second, 1);
    return molecule;
}

parsedShape_c::parsedShape_c(const shapeGraph_c& graph) : records_(graph.atoms) {
    if (graph.atoms > 32767) throw std::invalid_argument("an input record counts at most 32767 atoms");
    for (uint32_t i = 0; i < graph.atoms; ++i) {
        inchi_Atom& record = records_[i];
        std::memset(&record, 0, sizeof record);
        std::strcpy(record.elname, "C");
        record.x = graph.x[i];
        record.y = graph.y[i];
        record.num_iso_H[0] = -1;
    }
    auto list = [this](uint32_t from, uint32_t to) {
        inchi_Atom& record = records_[from];
        record.neighbor[record.num_bonds] = static_cast<AT_NUM>(to);
        record.bond_type[record.num_bonds] = INCHI_BOND_TYPE_SINGLE;
        ++record.num_bonds;
    };
    for (const auto& bond : graph.bonds) {
        list(bond.first, bond.second);
        list(bond.second, bond.first);
    }
    std::memset(&input_, 0, sizeof input_);
    input_.atom = records_.data();
    input_.num_atoms = static_cast<AT_NUM>(graph.atoms);
    std::memset(&data_, 0, sizeof data_);
    data_.pInp = &input_;
}

}  // namespace bench_n
