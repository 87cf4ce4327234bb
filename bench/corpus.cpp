#include "bench/corpus.h"

#include <fstream>
#include <map>
#include <mutex>
#include <stdexcept>

#include "converter/molfile.h"
#include "host/molecule_c.h"

namespace bench_n {

namespace {

bool readable(const std::string& path) { return std::ifstream(path).good(); }

corpus_c load(const std::string& name) {
    corpus_c loaded;
    loaded.name = name;
    loaded.path = corpusPath(name);
    std::ifstream in(loaded.path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + loaded.path);
    molfile_n::sdSplitter_c splitter(in);
    molfile_n::sdRecord_c record;
    while (splitter.next(record)) {
        auto molecule = std::make_unique<refhost::refMolecule_c>();
        try {
            molfile_n::readMolfile(record, *molecule);
        } catch (const molfile_n::molfileError_c&) {
            continue;
        }
        if (!molecule->indicesOfKind(kindAtom).empty()) loaded.molecules.push_back(std::move(molecule));
    }
    if (loaded.molecules.empty()) throw std::runtime_error("no molecules in " + loaded.path);
    return loaded;
}

}  // namespace

std::string corpusPath(const std::string& name) {
    const std::string full = std::string(TAVR_SHARED_DATA) + "/" + name + ".sdf";
    if (readable(full)) return full;
    return std::string(TAVR_SAMPLES) + "/" + name + "-sample.sdf";
}

const corpus_c& corpus(const std::string& name) {
    static std::mutex guard;
    static std::map<std::string, corpus_c> loaded;
    std::lock_guard<std::mutex> hold(guard);
    auto found = loaded.find(name);
    if (found == loaded.end()) found = loaded.emplace(name, load(name)).first;
    return found->second;
}

}  // namespace bench_n
