// The driver's own work as molecules grow: the atom table of a write without
// GetINCHI, and the structure builder of a read on a prepared input record
// without the parse, for chains, rings and fused grids of 10 to 32,767 atoms.
// Up to the InChI library's own size limit (1,024 atoms) the whole of the
// driver's write steps and GetINCHI alone are timed beside them. The counter
// "per_atom" is the time per atom of one pass.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/countedSection.h"
#include "bench/loadedDriver.h"
#include "bench/shapes.h"
#include "bench/writeSteps.h"
#include "read/structureBuilder.h"
#include "refhost/refStreams.h"
#include "write/inputAtomTable.h"
#include "write/inputRecord.h"
#include "write/writeEntry.h"
#include "write/writeOptions.h"

namespace bench_n {

namespace {

const uint32_t allSizes[] = {10, 32, 100, 316, 1000, 3162, 10000, 32767};
// Sizes the InChI library takes.
constexpr uint32_t libraryLimit = 1000;

void perAtom(benchmark::State& state, uint32_t atoms) {
    state.counters["atoms"] = atoms;
    state.counters["per_atom"] =
        benchmark::Counter(atoms, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void scaleTable(benchmark::State& state, shape_e shape, uint32_t atoms) {
    const auto molecule = hostMolecule(makeShape(shape, atoms));
    const countedSection_c counted;
    for (auto _ : state) {
        InChI_n::inputRecord_c input;
        InChI_n::buildInputAtoms(*molecule, input.get(), false);
        benchmark::DoNotOptimize(input.get().atom);
    }
    perAtom(state, atoms);
}

void scaleBuilder(benchmark::State& state, shape_e shape, uint32_t atoms) {
    const parsedShape_c parsed(makeShape(shape, atoms));
    const countedSection_c counted;
    for (auto _ : state) {
        state.PauseTiming();
        auto molecule = std::make_unique<refhost::refMolecule_c>();
        state.ResumeTiming();
        InChI_n::Read_n::buildStructure(*molecule, parsed.data());
        state.PauseTiming();
        molecule.reset();
        state.ResumeTiming();
    }
    perAtom(state, atoms);
}

// GetINCHI's answer for the molecule, as TavrWrite would have it.
struct answer_c {
    InChI_n::inputRecord_c input;
    InChI_n::outputRecord_c output;
    int code = 0;
};

void scaleLibrary(benchmark::State& state, shape_e shape, uint32_t atoms) {
    startLinkedParts();
    const auto molecule = hostMolecule(makeShape(shape, atoms));
    InChI_n::inputRecord_c input;
    InChI_n::prepareInput(*molecule, input.get(), InChI_n::buildWriteOptions(*molecule, ""));
    int failed = 0;
    const countedSection_c counted;
    for (auto _ : state) {
        InChI_n::outputRecord_c output;
        const int code = GetINCHI(&input.get(), &output.get());
        failed += code != inchi_Ret_OKAY && code != inchi_Ret_WARNING;
    }
    if (failed != 0) state.SkipWithError("GetINCHI refused the molecule");
    perAtom(state, atoms);
}

void scaleOwn(benchmark::State& state, shape_e shape, uint32_t atoms) {
    startLinkedParts();
    const auto molecule = hostMolecule(makeShape(shape, atoms));
    answer_c answer;
    InChI_n::prepareInput(*molecule, answer.input.get(), InChI_n::buildWriteOptions(*molecule, ""));
    answer.code = GetINCHI(&answer.input.get(), &answer.output.get());
    refhost::memoryOutStream_c stream;
    int failed = 0;
    const countedSection_c counted;
    for (auto _ : state) {
        stream.clear();
        failed += writeWithAnswer(*molecule, stream, "", answer.code, answer.output.get()) != 1;
    }
    if (failed != 0) state.SkipWithError("the write steps refused the molecule");
    perAtom(state, atoms);
}

template <class Run>
void registerSizes(const char* name, Run run, uint32_t largest) {
    for (shape_e shape : {shape_e::chain, shape_e::ring, shape_e::grid}) {
        for (uint32_t atoms : allSizes) {
            if (atoms > largest) continue;
            const std::string full = std::string(name) + "/" + shapeName(shape) + "/" + std::to_string(atoms);
            benchmark::RegisterBenchmark(full.c_str(), run, shape, atoms)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
        }
    }
}

const bool registered = [] {
    registerSizes("scaleTable", scaleTable, 32767);
    registerSizes("scaleBuilder", scaleBuilder, 32767);
    registerSizes("scaleLibrary", scaleLibrary, libraryLimit);
    registerSizes("scaleOwn", scaleOwn, libraryLimit);
    return true;
}();

}  // namespace

}  // namespace bench_n
