#include "inchiReference.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace writeTest_n {

namespace {

// A fresh directory per run, removed afterwards.
class scratchDir_c {
public:
    scratchDir_c() {
        char pattern[] = "/tmp/tavrwrite.XXXXXX";
        if (mkdtemp(pattern)) path_ = pattern;
    }
    ~scratchDir_c() {
        if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
    }
    scratchDir_c(const scratchDir_c&) = delete;
    scratchDir_c& operator=(const scratchDir_c&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

bool referenceAvailable() { return std::system("command -v inchi_main >/dev/null 2>&1") == 0; }

referenceResult_c referenceInchi(const std::string& molfile, const std::string& options) {
    referenceResult_c result;
    scratchDir_c dir;
    if (dir.path().empty()) return result;
    const std::string in = dir.path() + "/in.sdf";
    std::ofstream(in) << molfile << "$$$$\n";
    const std::string command = "cd '" + dir.path() + "' && inchi_main in.sdf out.txt log.txt prb.txt " +
                                options + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return result;
    std::ifstream out(dir.path() + "/out.txt");
    std::string line;
    int structures = 0;
    while (std::getline(out, line)) {
        if (startsWith(line, "Structure:")) ++structures;
        if (startsWith(line, "InChI=")) result.inchi = line;
        if (startsWith(line, "AuxInfo=")) result.auxInfo = line;
    }
    result.ran = structures == 1 && !result.inchi.empty();
    return result;
}

}  // namespace writeTest_n
