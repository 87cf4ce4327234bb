#pragma once
// The reference executable inchi_main, run live on an SD file: what it prints
// for every structure of the file.

#include <string>
#include <vector>

namespace readTest_n {

struct referenceRecord_c {
    int structure = 0;  // the number inchi_main gives it, from 1
    std::string inchi;
    std::string auxInfo;
};

struct referenceRun_c {
    bool ran = false;  // inchi_main was found and finished
    std::vector<referenceRecord_c> records;
};

// inchi_main with its default options on an SD file of this content.
referenceRun_c runReference(const std::string& sdText);

}  // namespace readTest_n
