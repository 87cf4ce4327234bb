#pragma once
// Running tavr-inchi and inchi_main from tests, as a user runs them, and
// reading what they print.

#include <string>
#include <vector>

namespace toolRun_n {

struct runResult_c {
    int exitCode = -1;
    std::string out, err;
};

// A directory of its own for a test's files, removed with everything in it.
class scratchDir_c {
public:
    scratchDir_c();
    ~scratchDir_c();
    scratchDir_c(const scratchDir_c&) = delete;
    scratchDir_c& operator=(const scratchDir_c&) = delete;
    const std::string& path() const { return path_; }
    // Writes text to a file in the directory; returns its path.
    std::string file(const std::string& name, const std::string& text) const;

private:
    std::string path_;
};

// Runs a program with arguments (no shell), standard input from inputPath.
runResult_c run(const std::vector<std::string>& argv, const std::string& inputPath = "/dev/null");
// Runs build/bin/tavr-inchi.
runResult_c runTool(const std::vector<std::string>& args, const std::string& inputPath = "/dev/null");

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
std::vector<std::string> lines(const std::string& text);  // without line ends; no empty last line

// inchi_main's results for one file, by structure number (entry i is
// structure i + 1); a structure it failed on has empty texts.
struct referenceRecord_c {
    std::string inchi, auxInfo, key;
};
bool inchiMainAvailable();
std::vector<referenceRecord_c> runInchiMain(const std::string& sdFile, const std::vector<std::string>& options);

// The bundled samples, and the shared corpora when they are there.
std::vector<std::string> sampleFiles();
std::vector<std::string> sharedCorpora();

}  // namespace toolRun_n
