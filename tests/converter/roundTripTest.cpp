// Through the tool and back: write, read, write again gives the same InChI for
// every record, with the read-back SD file carrying what the InChI needs
// (hydrogens the AuxInfo fixes, the chiral flag, stereo marks, titles).

#include <gtest/gtest.h>

#include "inchiMain.h"
#include "toolRun.h"

using namespace inchiMain_n;
using namespace toolRun_n;

namespace {

struct roundTripCase_c {
    std::string file;
    std::string option;
};

std::vector<std::string> inchis(const std::string& out) {
    std::vector<std::string> found;
    for (const std::string& line : lines(out))
        if (line.compare(0, 6, "InChI=") == 0)
            found.push_back(line);
    return found;
}

class RoundTripTest : public testing::TestWithParam<roundTripCase_c> {};

TEST_P(RoundTripTest, WriteReadWriteGivesTheSameInchi) {
    const roundTripCase_c& c = GetParam();
    if (!fileExists(c.file))
        GTEST_SKIP() << c.file << " is not there";
    scratchDir_c dir;
    std::vector<std::string> options;
    if (!c.option.empty())
        options = {"--options", c.option};

    std::vector<std::string> args{"write"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(c.file);
    runResult_c first = runTool(args);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    std::string firstText = dir.file("first.txt", first.out);

    runResult_c read = runTool({"read", firstText});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    std::string sd = dir.file("read.sdf", read.out);

    args.back() = sd;
    runResult_c second = runTool(args);
    ASSERT_EQ(second.exitCode, 0) << second.err;

    std::vector<std::string> before = inchis(first.out), after = inchis(second.out);
    ASSERT_EQ(before.size(), after.size());
    size_t differ = 0;
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i] && ++differ <= 5)
            ADD_FAILURE() << "record " << i + 1 << "\n  first   " << before[i] << "\n  second  " << after[i];
    EXPECT_EQ(differ, 0u) << "of " << before.size();
}

void PrintTo(const roundTripCase_c& c, std::ostream* os) { *os << c.file << " [" << c.option << "]"; }

std::vector<roundTripCase_c> cases() {
    std::vector<std::string> files = sampleFiles();
    for (const std::string& file : sharedCorpora())
        files.push_back(file);
    std::vector<roundTripCase_c> all;
    for (const std::string& file : files)
        for (const char* option : {"", "SUCF"})
            all.push_back({file, option});
    return all;
}

std::string caseName(const testing::TestParamInfo<roundTripCase_c>& info) {
    std::string file = info.param.file.substr(info.param.file.rfind('/') + 1);
    std::string name = file.substr(0, file.find('.')) + (info.param.option.empty() ? "" : "_" + info.param.option);
    for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpora, RoundTripTest, testing::ValuesIn(cases()), caseName);

// Titles travel through tabbed output into the SD file read back.
TEST(RoundTripTest, TabbedOutputKeepsTitlesOnTheWayBack) {
    scratchDir_c dir;
    const std::string sample = sampleFiles()[0];
    runResult_c tabbed = runTool({"write", "--tabbed", sample});
    ASSERT_EQ(tabbed.exitCode, 0) << tabbed.err;
    runResult_c read = runTool({"read", dir.file("tabbed.txt", tabbed.out)});
    ASSERT_EQ(read.exitCode, 0) << read.err;

    std::vector<std::string> titles, readTitles;
    bool next = true;
    for (const std::string& line : lines(readFile(sample))) {
        if (next)
            titles.push_back(line);
        next = line == "$$$$";
    }
    next = true;
    for (const std::string& line : lines(read.out)) {
        if (next)
            readTitles.push_back(line);
        next = line == "$$$$";
    }
    EXPECT_EQ(titles, readTitles);
}

}  // namespace
