// A read two ways over the texts TavrWrite wrote for the write benchmarks:
// TavrRead through the loaded module into fresh molecules, and the InChI
// library's AuxInfo parser alone on the line TavrRead hands it. One iteration
// is one pass over the corpus; making the streams and attribute sets is left
// out of the time.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/countedSection.h"
#include "bench/loadedDriver.h"
#include "bench/writeSet.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

namespace bench_n {

namespace {

// The parser's text: the first AuxInfo line of the record, without its end.
std::string auxInfoLine(const std::string& text) {
    const size_t start = text.find("AuxInfo=");
    const std::string rest = start == std::string::npos ? std::string() : text.substr(start);
    return rest.substr(0, rest.find_first_of("\r\n"));
}

// Streams and attribute sets for one pass, made before it is timed.
struct readSources_c {
    std::vector<std::unique_ptr<refhost::memoryInStream_c>> streams;
    std::vector<std::unique_ptr<refhost::refAttributes_c>> attributes;

    explicit readSources_c(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            streams.push_back(std::make_unique<refhost::memoryInStream_c>(text));
            attributes.push_back(std::make_unique<refhost::refAttributes_c>());
        }
    }
};

// Each record is read into a fresh molecule that is discarded right after, as
// the converter does: the host's allocations then come and go as they do in
// use, and the time includes the host's making and freeing of the atoms.
void readDriver(benchmark::State& state, const char* corpusName) {
    const writeSet_c& set = writeSet(corpusName);
    const TavrReadFn read = loadedDriver().read();
    int failed = 0;
    const countedSection_c counted;
    for (auto _ : state) {
        state.PauseTiming();
        auto sources = std::make_unique<readSources_c>(set.texts);
        state.ResumeTiming();
        for (size_t i = 0; i < set.texts.size(); ++i) {
            refhost::refMolecule_c molecule;
            failed += read(&molecule, sources->streams[i].get(), sources->attributes[i].get(), "", nullptr) != 1;
        }
        state.PauseTiming();
        sources.reset();
        state.ResumeTiming();
    }
    if (failed != 0) state.SkipWithError("TavrRead refused a text TavrWrite wrote");
    state.counters["molecules"] = static_cast<double>(set.texts.size());
}

void readParse(benchmark::State& state, const char* corpusName) {
    const writeSet_c& set = writeSet(corpusName);
    std::vector<std::string> lines;
    size_t longest = 0;
    for (const std::string& text : set.texts) {
        lines.push_back(auxInfoLine(text));
        longest = std::max(longest, lines.back().size());
    }
    // The parser takes a writable text; each call gets a fresh copy, as in TavrRead.
    std::vector<char> buffer(longest + 1);
    int failed = 0;
    const countedSection_c counted;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            std::memcpy(buffer.data(), line.c_str(), line.size() + 1);
            inchi_Input input;
            std::memset(&input, 0, sizeof input);
            InchiInpData data;
            std::memset(&data, 0, sizeof data);
            data.pInp = &input;
            const int code = Get_inchi_Input_FromAuxInfo(buffer.data(), 1, 0, &data);
            failed += code != inchi_Ret_OKAY && code != inchi_Ret_WARNING;
            Free_inchi_Input(&input);
        }
    }
    if (failed != 0) state.SkipWithError("the AuxInfo parser refused a text TavrWrite wrote");
    state.counters["molecules"] = static_cast<double>(lines.size());
}

}  // namespace

BENCHMARK_CAPTURE(readDriver, plain2d, "plain2d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readParse, plain2d, "plain2d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readDriver, stereo2d, "stereo2d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readParse, stereo2d, "stereo2d")->Unit(benchmark::kMillisecond);

}  // namespace bench_n
