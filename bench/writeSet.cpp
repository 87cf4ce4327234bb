#include "bench/writeSet.h"

#include <map>
#include <mutex>
#include <stdexcept>

#include "bench/corpus.h"
#include "bench/loadedDriver.h"
#include "containers/string_c.h"
#include "refhost/refStreams.h"
#include "write/writeEntry.h"
#include "write/writeOptions.h"

namespace bench_n {

namespace {

// The options the converter hands over by default.
constexpr const char* noOptions = "";

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

void addMolecule(writeSet_c& set, refhost::refMolecule_c& molecule) {
    refhost::memoryOutStream_c stream;
    if (loadedDriver().write()(&molecule, &stream, noOptions, nullptr) != 1) {
        ++set.refused;
        return;
    }
    auto input = std::make_unique<InChI_n::inputRecord_c>();
    InChI_n::prepareInput(molecule, input->get(), InChI_n::buildWriteOptions(molecule, noOptions));
    auto output = std::make_unique<InChI_n::outputRecord_c>();
    const int code = GetINCHI(&input->get(), &output->get());
    string_c inchi(output->get().szInChI);
    inchi.trim();
    if (firstLine(stream.text()) != inchi.cStr())
        throw std::runtime_error("GetINCHI alone disagrees with TavrWrite on " + firstLine(stream.text()));
    set.molecules.push_back(&molecule);
    set.inputs.push_back(std::move(input));
    set.codes.push_back(code);
    set.outputs.push_back(std::move(output));
    set.texts.push_back(stream.text());
}

writeSet_c make(const std::string& corpusName) {
    startLinkedParts();
    writeSet_c set;
    for (const auto& molecule : corpus(corpusName).molecules) addMolecule(set, *molecule);
    if (set.molecules.empty()) throw std::runtime_error("the driver wrote no molecule of " + corpusName);
    return set;
}

}  // namespace

const writeSet_c& writeSet(const std::string& corpusName) {
    static std::mutex guard;
    static std::map<std::string, writeSet_c> made;
    std::lock_guard<std::mutex> hold(guard);
    auto found = made.find(corpusName);
    if (found == made.end()) found = made.emplace(corpusName, make(corpusName)).first;
    return found->second;
}

}  // namespace bench_n
