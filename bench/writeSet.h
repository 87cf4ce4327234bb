#pragma once
// One corpus made ready for the write and read benchmarks, once per process:
// the molecules the driver writes, the InChI library's input record of each
// exactly as TavrWrite builds it, GetINCHI's output on that record, and the
// text TavrWrite put on its stream (the input of the read benchmarks).

#include <memory>
#include <string>
#include <vector>

#include "refhost/refMolecule.h"
#include "write/inputRecord.h"

namespace bench_n {

struct writeSet_c {
    std::vector<refhost::refMolecule_c*> molecules;
    std::vector<std::unique_ptr<InChI_n::inputRecord_c>> inputs;
    std::vector<int> codes;  // GetINCHI's return code on each input
    std::vector<std::unique_ptr<InChI_n::outputRecord_c>> outputs;
    std::vector<std::string> texts;
    size_t refused = 0;  // corpus molecules TavrWrite refused, left out of every set
};

// Throws std::runtime_error when the library alone does not give the InChI
// that TavrWrite wrote: the two benchmarks would not time the same work.
const writeSet_c& writeSet(const std::string& corpusName);

}  // namespace bench_n
