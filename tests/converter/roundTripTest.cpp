// Through the tool and back: write, read, write again gives the same InChI for
// every record, with the read-back SD file carrying what the InChI needs
// (hydrogens the AuxInfo fixes, the chiral flag, stereo marks, titles).

#include <gtest/gtest.h>

#include "corpusCase.h"
#include "inchiMain.h"
#include "toolRun.h"

using namespace inchiMain_n;
using namespace toolRun_n;

namespace {

std::vector<std::string> inchis(const std::string& out) {
    std::vector<std::string> found;
    for (const std::string& line : lines(out))
        if (line.compare(0, 6, "InChI=") == 0)
            found.push_back(line);
    return found;
}

class RoundTripTest : public testing::TestWithParam<corpusCase_c> {};

TEST_P(RoundTripTest, WriteReadWriteGivesTheSameInchi) {
    const corpusCase_c& c = GetParam();
    if (!fileExists(c.file))
        GTEST_SKIP() << c.file << " is not there";
    scratchDir_c dir;

    runResult_c first = runTool(c.writeArgs(c.file));
    ASSERT_EQ(first.exitCode, 0) << first.err;
    std::string firstText = dir.file("first.txt", first.out);

    runResult_c read = runTool({"read", firstText});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    std::string sd = dir.file("read.sdf", read.out);

    runResult_c second = runTool(c.writeArgs(sd));
    ASSERT_EQ(second.exitCode, 0) << second.err;

    std::vector<std::string> before = inchis(first.out), after = inchis(second.out);
    ASSERT_EQ(before.size(), after.size());
    size_t differ = 0;
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i] && ++differ <= 5)
            ADD_FAILURE() << "record " << i + 1 << "\n  first   " << before[i] << "\n  second  " << after[i];
    EXPECT_EQ(differ, 0u) << "of " << before.size();
}

INSTANTIATE_TEST_SUITE_P(Corpora, RoundTripTest, testing::ValuesIn(corpusCases({"", "SUCF"})), corpusCaseName);

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
