#pragma once
// A case of the tests that run the tool over whole SD files: one file of the
// bundled samples or shared corpora, converted with one option word.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace toolRun_n {

struct corpusCase_c {
    std::string file;
    std::string option;  // a driver option word, "" for none

    // tavr-inchi's arguments for writing this file (or another one, such as
    // one read back from the first write) with the case's option.
    std::vector<std::string> writeArgs(const std::string& sdFile) const;
};

void PrintTo(const corpusCase_c& c, std::ostream* os);

// Every bundled sample and every shared corpus, each with every option word.
std::vector<corpusCase_c> corpusCases(const std::vector<std::string>& options);

// The file's name before its first '.', then '_' and the option, other
// characters than letters and digits made '_': "edge_sample_SUCF".
std::string corpusCaseName(const testing::TestParamInfo<corpusCase_c>& info);

}  // namespace toolRun_n
