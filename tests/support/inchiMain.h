#pragma once
// The reference executable inchi_main, run live from tests: the expected
// InChI, AuxInfo and InChIKey of every structure of an SD file.

#include <string>
#include <vector>

namespace inchiMain_n {

// A directory of its own for a test's files, removed with everything in it.
// Throws std::runtime_error when no directory can be made.
class scratchDir_c {
public:
    scratchDir_c();
    ~scratchDir_c();
    scratchDir_c(const scratchDir_c&) = delete;
    scratchDir_c& operator=(const scratchDir_c&) = delete;
    const std::string& path() const { return path_; }
    // Writes the text, byte for byte, to a file in the directory; returns its
    // path. Throws std::runtime_error when the file cannot be written.
    std::string file(const std::string& name, const std::string& text) const;

private:
    std::string path_;
};

bool inchiMainAvailable();

// What inchi_main printed for one structure; the texts are empty for a
// structure it failed on (it prints nothing for those), the key also when
// the run did not ask for keys.
struct referenceRecord_c {
    std::string inchi, auxInfo, key;
};

// inchi_main on an SD file with the options given (each word without its
// '-'): entry i is structure i + 1. Empty when inchi_main could not be run or
// did not exit with 0, so that a crash part way through cannot pass for a
// shorter file.
std::vector<referenceRecord_c> runInchiMain(const std::string& sdFile, const std::vector<std::string>& options = {});
// The same for an SD file of this content.
std::vector<referenceRecord_c> runInchiMainOnText(const std::string& sdText,
                                                  const std::vector<std::string>& options = {});

}  // namespace inchiMain_n
