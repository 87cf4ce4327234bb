// Seeds of the write fuzz target: every record of the SD files given, as the
// recipe (fuzz/moleculeRecipe.h) of the molecule the converter reads from it.
// Usage: writeSeeds OUTPUT_DIR STRIDE FILE...; of each file every STRIDE-th
// record is taken, and every other seed asks for the chiral-flag option SUCF.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "converter/molfile.h"
#include "fuzz/moleculeRecipe.h"
#include "refhost/refMolecule.h"

namespace {

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// The recipe's options step with the first word (SUCF) set.
const char sucfStep[] = {6, 1, 0};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR STRIDE FILE...\n", argv[0]);
        return 2;
    }
    const std::string outDir = argv[1];
    const long stride = std::max(1L, std::atol(argv[2]));
    long seeds = 0;
    for (int f = 3; f < argc; ++f) {
        std::ifstream in(argv[f]);
        if (!in) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[f]);
            return 2;
        }
        molfile_n::sdSplitter_c splitter(in);
        molfile_n::sdRecord_c record;
        while (splitter.next(record)) {
            if ((record.number - 1) % stride != 0) continue;
            refhost::refMolecule_c molecule;
            try {
                molfile_n::readMolfile(record, molecule);
            } catch (const molfile_n::molfileError_c&) {
                continue;
            }
            std::string recipe = fuzz_n::recipeOf(molecule);
            if (record.number % 2 == 0) recipe.append(sucfStep, sizeof sucfStep);
            std::ofstream out(outDir + "/" + baseName(argv[f]) + "-" + std::to_string(record.number),
                              std::ios::binary);
            out << recipe;
            ++seeds;
        }
    }
    std::printf("%ld seeds\n", seeds);
    return 0;
}
