#pragma once
// Expected results from the reference executable inchi_main, run live on a
// molfile the test writes.

#include <string>

namespace writeTest_n {

struct referenceResult_c {
    bool ran = false;  // inchi_main found and run, one structure read back
    std::string inchi;
    std::string auxInfo;
};

// inchi_main on the molfile with the given options (each word with its '-').
referenceResult_c referenceInchi(const std::string& molfile, const std::string& options = "");
// Whether inchi_main can be run at all.
bool referenceAvailable();

}  // namespace writeTest_n
