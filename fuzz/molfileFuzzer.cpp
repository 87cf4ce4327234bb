// The converter's SD splitter and molfile reader on arbitrary bytes: each
// record either reads or is refused with a molfileError_c; a molecule that
// reads is written as a molfile again, and that molfile reads too.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "converter/molfile.h"
#include "fuzz/fuzzChecks.h"
#include "refhost/refMolecule.h"

using fuzz_n::demand;

namespace {

// Records per input and bytes per record: enough for every structure of the
// corpora, small enough that one input cannot ask for gigabytes.
constexpr int recordsPerInput = 16;
constexpr size_t bytesPerRecord = size_t(1) << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    molfile_n::sdSplitter_c splitter(in, bytesPerRecord);
    molfile_n::sdRecord_c record;
    for (int n = 0; n < recordsPerInput && splitter.next(record); ++n) {
        refhost::refMolecule_c molecule;
        try {
            molfile_n::readMolfile(record, molecule);
        } catch (const molfile_n::molfileError_c&) {
            continue;
        }
        const std::string again = molfile_n::writeMolfile(molecule, record.title);
        refhost::refMolecule_c reread;
        bool reads = true;
        try {
            molfile_n::readMolfile(again, reread);
        } catch (const molfile_n::molfileError_c&) {
            reads = false;
        }
        demand(reads, "a molfile the converter wrote reads again");
    }
    return 0;
}
