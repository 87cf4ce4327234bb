#include "corpusCase.h"

#include <cctype>

#include "toolRun.h"

namespace toolRun_n {

std::vector<std::string> corpusCase_c::writeArgs(const std::string& sdFile) const {
    std::vector<std::string> args{"write"};
    if (!option.empty())
        args.insert(args.end(), {"--options", option});
    args.push_back(sdFile);
    return args;
}

void PrintTo(const corpusCase_c& c, std::ostream* os) { *os << c.file << " [" << c.option << "]"; }

std::vector<corpusCase_c> corpusCases(const std::vector<std::string>& options) {
    std::vector<std::string> files = sampleFiles();
    for (const std::string& file : sharedCorpora())
        files.push_back(file);
    std::vector<corpusCase_c> all;
    for (const std::string& file : files)
        for (const std::string& option : options)
            all.push_back({file, option});
    return all;
}

std::string corpusCaseName(const testing::TestParamInfo<corpusCase_c>& info) {
    std::string file = info.param.file.substr(info.param.file.rfind('/') + 1);
    std::string name = file.substr(0, file.find('.')) + (info.param.option.empty() ? "" : "_" + info.param.option);
    for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

}  // namespace toolRun_n
