// A write three ways over the same molecules: TavrWrite through the loaded
// module, GetINCHI alone on the input records TavrWrite builds (the library's
// floor), and the driver's own steps with GetINCHI's answer handed in. One
// iteration is one pass over the corpus.

#include <benchmark/benchmark.h>

#include "bench/countedSection.h"
#include "bench/loadedDriver.h"
#include "bench/writeSet.h"
#include "bench/writeSteps.h"
#include "refhost/refStreams.h"

namespace bench_n {

namespace {

void passCounters(benchmark::State& state, size_t molecules) {
    state.counters["molecules"] = static_cast<double>(molecules);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * molecules));
}

void writeDriver(benchmark::State& state, const char* corpusName) {
    const writeSet_c& set = writeSet(corpusName);
    const TavrWriteFn write = loadedDriver().write();
    refhost::memoryOutStream_c stream;
    const countedSection_c counted;
    for (auto _ : state) {
        for (refhost::refMolecule_c* molecule : set.molecules) {
            stream.clear();
            benchmark::DoNotOptimize(write(molecule, &stream, "", nullptr));
        }
    }
    passCounters(state, set.molecules.size());
}

void writeLibrary(benchmark::State& state, const char* corpusName) {
    const writeSet_c& set = writeSet(corpusName);
    const countedSection_c counted;
    for (auto _ : state) {
        for (const auto& input : set.inputs) {
            InChI_n::outputRecord_c output;
            benchmark::DoNotOptimize(GetINCHI(&input->get(), &output.get()));
        }
    }
    passCounters(state, set.molecules.size());
}

void writeOwn(benchmark::State& state, const char* corpusName) {
    const writeSet_c& set = writeSet(corpusName);
    refhost::memoryOutStream_c stream;
    const countedSection_c counted;
    for (auto _ : state) {
        for (size_t i = 0; i < set.molecules.size(); ++i) {
            stream.clear();
            benchmark::DoNotOptimize(
                writeWithAnswer(*set.molecules[i], stream, "", set.codes[i], set.outputs[i]->get()));
        }
    }
    passCounters(state, set.molecules.size());
}

}  // namespace

BENCHMARK_CAPTURE(writeDriver, plain2d, "plain2d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeLibrary, plain2d, "plain2d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeOwn, plain2d, "plain2d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeDriver, stereo2d, "stereo2d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeLibrary, stereo2d, "stereo2d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeOwn, stereo2d, "stereo2d")->Unit(benchmark::kMillisecond);

}  // namespace bench_n
