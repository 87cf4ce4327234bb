#include "sampleMolecules.h"

#include <fstream>
#include <stdexcept>

#include "converter/molfile.h"
#include "refhost/refMolecule.h"

namespace hardening_n {

namespace {

using refhost::refMolecule_c;
using predicate_t = std::function<bool(refMolecule_c&)>;

// The text of the first record of a bundled sample file that the predicate
// accepts. The choice is made by content, so that reordering the samples does
// not quietly take the interesting record away.
std::string firstRecord(const std::string& file, const predicate_t& wanted) {
    std::ifstream in(std::string(TAVR_SAMPLES) + "/" + file);
    molfile_n::sdSplitter_c splitter(in);
    molfile_n::sdRecord_c record;
    while (splitter.next(record)) {
        refMolecule_c molecule;
        try {
            molfile_n::readMolfile(record, molecule);
        } catch (const molfile_n::molfileError_c&) {
            continue;
        }
        if (wanted(molecule)) return record.text;
    }
    throw std::runtime_error("no record of " + file + " has what the test needs");
}

// The record of the file with the most atoms.
std::string largestRecord(const std::string& file) {
    std::ifstream in(std::string(TAVR_SAMPLES) + "/" + file);
    molfile_n::sdSplitter_c splitter(in);
    molfile_n::sdRecord_c record;
    std::string largest;
    size_t most = 0;
    while (splitter.next(record)) {
        refMolecule_c molecule;
        try {
            molfile_n::readMolfile(record, molecule);
        } catch (const molfile_n::molfileError_c&) {
            continue;
        }
        if (molecule.indicesOfKind(kindAtom).size() > most) {
            most = molecule.indicesOfKind(kindAtom).size();
            largest = record.text;
        }
    }
    if (largest.empty()) throw std::runtime_error(file + " holds no molecule");
    return largest;
}

bool hasWedge(refMolecule_c& molecule) {
    for (uint32_t b : molecule.bondIndices())
        if (molecule.bond(b)->wedgeValue() != 0) return true;
    return false;
}

bool hasRadical(refMolecule_c& molecule) {
    for (uint32_t a : molecule.indicesOfKind(kindAtom))
        if (molecule.atom(a)->countValue(countRadicalElectrons) != 0) return true;
    return false;
}

std::function<void(refMolecule_c&)> fromMolfile(std::string text) {
    return [text](refMolecule_c& molecule) { molfile_n::readMolfile(text, molecule); };
}

constexpr int chainCarbons = 130;

// A zigzag chain of carbons with wedged hydroxy groups (stereocentres) and a
// few chain double bonds (cis/trans), laid out in 2D.
void buildChain(refMolecule_c& molecule) {
    std::vector<uint32_t> chain;
    for (int i = 0; i < chainCarbons; ++i) {
        chain.push_back(molecule.newAtom("C"));
        molecule.atom(chain.back())->place(i * 1.3, (i % 2) * 0.75, 0);
        if (i > 0) molecule.newBond(chain[i - 1], chain[i], i % 11 == 5 ? 2 : 1);
    }
    for (size_t i = 3; i + 1 < chain.size(); i += 7) {
        const uint32_t oxygen = molecule.newAtom("O");
        molecule.atom(oxygen)->place(i * 1.3, (i % 2) ? 2.05 : -1.3, 0);
        const uint32_t bond = molecule.newBond(chain[i], oxygen, 1);
        molecule.bond(bond)->setWedge((i / 7) % 2 ? 1 : 2);
    }
}

}  // namespace

std::vector<sampleMolecule_c> sampleMolecules() {
    return {
        {"plain2d", fromMolfile(firstRecord("plain2d-sample.sdf", [](refMolecule_c&) { return true; }))},
        {"stereo2d", fromMolfile(firstRecord("stereo2d-sample.sdf", hasWedge))},
        {"edge", fromMolfile(firstRecord("edge-sample.sdf", hasRadical))},
        {"conf3d", fromMolfile(largestRecord("conf3d-sample.sdf"))},
        {"chain", buildChain},
    };
}

}  // namespace hardening_n
