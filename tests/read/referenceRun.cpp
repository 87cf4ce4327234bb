#include "referenceRun.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace readTest_n {

namespace {

// A fresh directory for one run, removed with everything in it afterwards.
class scratchDir_c {
public:
    scratchDir_c() {
        char pattern[] = "/tmp/tavrread.XXXXXX";
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

referenceRun_c runReference(const std::string& sdText) {
    referenceRun_c run;
    scratchDir_c dir;
    if (dir.path().empty()) return run;
    std::ofstream(dir.path() + "/in.sdf", std::ios::binary) << sdText;
    const std::string command = "cd '" + dir.path() + "' && inchi_main in.sdf out.txt log.txt prb.txt >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return run;
    std::ifstream out(dir.path() + "/out.txt");
    std::string line;
    while (std::getline(out, line)) {
        if (startsWith(line, "Structure:")) {
            run.records.emplace_back();
            run.records.back().structure = std::atoi(line.c_str() + 10);
        } else if (!run.records.empty() && startsWith(line, "InChI=")) {
            run.records.back().inchi = line;
        } else if (!run.records.empty() && startsWith(line, "AuxInfo=")) {
            run.records.back().auxInfo = line;
        }
    }
    run.ran = !run.records.empty();
    return run;
}

}  // namespace readTest_n
