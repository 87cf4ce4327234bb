#pragma once
// The molecules every write and read benchmark runs on: one SD file read once
// through the converter's molfile reader, as the converter would hand them to
// the driver. The full corpora are used when they sit beside the checkout,
// the bundled samples otherwise, so that a fresh clone still runs.

#include <memory>
#include <string>
#include <vector>

#include "refhost/refMolecule.h"

namespace bench_n {

struct corpus_c {
    std::string name;  // "plain2d", "stereo2d"
    std::string path;  // the SD file read
    // Records the reader refuses, and records without atoms, are left out.
    std::vector<std::unique_ptr<refhost::refMolecule_c>> molecules;
};

// The SD file for a corpus name: the full corpus when present, else the sample.
std::string corpusPath(const std::string& name);

// Read once per process and shared by every benchmark that names it.
const corpus_c& corpus(const std::string& name);

}  // namespace bench_n
