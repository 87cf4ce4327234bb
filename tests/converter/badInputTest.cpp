// Bad input through the tool: each fault fails its own record with a clear
// message on standard error, the record keeps its place in the output, and the
// records around it convert as if it were not there.

#include <gtest/gtest.h>

#include "inchiMain.h"
#include "molfileText.h"
#include "toolRun.h"

using namespace inchiMain_n;
using namespace toolRun_n;
using namespace molfileText_n;

namespace {

// The first three records of a bundled sample, as SD text each.
std::vector<std::string> sampleRecords() {
    std::vector<std::string> records(1);
    for (const std::string& line : lines(readFile(sampleFiles()[0]))) {
        records.back() += line + "\n";
        if (line == "$$$$") {
            if (records.size() == 3)
                break;
            records.emplace_back();
        }
    }
    return records;
}

std::string replaceFirst(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::string record(const std::string& molfile) { return molfile + "$$$$\n"; }

struct badCase_c {
    const char* what;
    std::string middle;   // the second record's text
    const char* message;  // a part of the message expected for record 2
};

// The bad record follows a first record of 24 lines, so its counts line is
// line 28 of the file and its first bond line is line 49.
TEST(BadInputTest, ABadRecordFailsAloneAndKeepsItsPlace) {
    std::vector<std::string> good = sampleRecords();
    ASSERT_EQ(good.size(), 3u);
    const std::string sample = good[1];
    std::vector<atomLine_c> hub(22);
    std::vector<bondLine_c> spokes;
    for (int i = 2; i <= 22; ++i)
        spokes.push_back({1, i});

    const badCase_c cases[] = {
        {"counts that disagree with the blocks", replaceFirst(sample, " 20 23  0", " 21 23  0"),
         "line 49, counts line atom count: 21 atoms announced on line 28"},
        {"a non-numeric field", replaceFirst(sample, "  1  2  1  0", "  1  ?  1  0"),
         "line 49, bond second atom: '?' is not a whole number"},
        {"a bond atom beyond the atoms", replaceFirst(sample, "  1  2  1  0", "  1 99  1  0"),
         "line 49, bond second atom: 99 is not in 1..20"},
        {"no M  END", replaceFirst(sample, "M  END\n", ""), "M  END: missing"},
        {"zero atoms", record(v2000({}, {})), "no atoms"},
        {"an aromatic bond", record(v2000({{"C"}, {"C"}}, {{1, 2, 4}})), "aromatic bond (type 4) between atoms 1 and 2"},
        {"a query bond", record(v2000({{"C"}, {"C"}}, {{1, 2, 6}})), "query bond (type 6)"},
        {"a pseudo atom", record(v2000({{"C"}, {"R#"}}, {{1, 2}})), "atom 2 (R#) is a query or pseudo atom"},
        {"an atom list", record(v2000({{"C"}, {"L"}}, {{1, 2}})), "atom 2 (L) is a query or pseudo atom"},
        {"more than 20 neighbours", record(v2000(hub, spokes)), "atom 1 (C) has 21 neighbours"},
        {"binary bytes", std::string("\x01\x02\x03\n\xff\xfe\n\n\x7f\x00\x00\n$$$$\n", 17), "counts line atom count"},
    };
    scratchDir_c dir;
    const std::string clean = dir.file("clean.sdf", good[0] + good[2]);
    runResult_c reference = runTool({"write", clean});
    ASSERT_EQ(reference.exitCode, 0) << reference.err;
    std::vector<std::string> expected = lines(reference.out);
    ASSERT_EQ(expected.size(), 4u);

    for (const badCase_c& c : cases) {
        SCOPED_TRACE(c.what);
        runResult_c result = runTool({"write", dir.file("bad.sdf", good[0] + c.middle + good[2])});
        EXPECT_EQ(result.exitCode, 1) << result.err;
        std::vector<std::string> out = lines(result.out);
        ASSERT_EQ(out.size(), 6u) << result.out;
        EXPECT_EQ(out[0], expected[0]);
        EXPECT_EQ(out[1], expected[1]);
        EXPECT_EQ(out[2], "") << "the failed record's InChI line is empty";
        EXPECT_EQ(out[3], "") << "so is its AuxInfo line";
        EXPECT_EQ(out[4], expected[2]);
        EXPECT_EQ(out[5], expected[3]);
        std::vector<std::string> messages = lines(result.err);
        ASSERT_EQ(messages.size(), 1u) << result.err;
        EXPECT_NE(messages[0].find("bad.sdf: record 2 "), std::string::npos) << messages[0];
        EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
    }
}

TEST(BadInputTest, TabbedFailureIsTheTitleAndAnEmptyField) {
    scratchDir_c dir;
    std::vector<std::string> good = sampleRecords();
    runResult_c result = runTool({"write", "--tabbed", "--key",
                                  dir.file("bad.sdf", good[0] + record(v2000({{"C"}, {"A"}}, {{1, 2}}, {}, false, "pseudo")))});
    EXPECT_EQ(result.exitCode, 1);
    std::vector<std::string> out = lines(result.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(std::count(out[0].begin(), out[0].end(), '\t'), 3) << out[0];
    EXPECT_EQ(out[1], "pseudo\t");
}

TEST(BadInputTest, ATruncatedFileConvertsWhatCameBeforeTheCut) {
    scratchDir_c dir;
    std::vector<std::string> good = sampleRecords();
    std::string cut = good[0] + good[1] + good[2].substr(0, good[2].size() / 2);
    runResult_c result = runTool({"write", dir.file("cut.sdf", cut)});
    EXPECT_EQ(result.exitCode, 1);
    std::vector<std::string> out = lines(result.out);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[0].compare(0, 6, "InChI="), 0);
    EXPECT_EQ(out[2].compare(0, 6, "InChI="), 0);
    EXPECT_EQ(out[4], "");
    EXPECT_NE(result.err.find("cut.sdf: record 3 "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(": line 86, atom y coordinate: missing"), std::string::npos) << result.err;
}

TEST(BadInputTest, CrLfLineEndsConvertLikeLf) {
    scratchDir_c dir;
    std::string lf = readFile(sampleFiles()[2]);
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    runResult_c plain = runTool({"write", sampleFiles()[2]});
    runResult_c windows = runTool({"write", dir.file("crlf.sdf", crlf)});
    EXPECT_EQ(windows.exitCode, 0) << windows.err;
    EXPECT_EQ(windows.out, plain.out);
}

TEST(BadInputTest, EmptyAndBinaryFilesFailWithoutOutput) {
    scratchDir_c dir;
    runResult_c empty = runTool({"write", dir.file("empty.sdf", "")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.out, "");
    EXPECT_NE(empty.err.find("empty.sdf: no records"), std::string::npos) << empty.err;

    std::string binary = readFile(std::string(TAVR_BIN_DIR) + "/tavr-inchi").substr(0, 200000);
    runResult_c garbage = runTool({"write", dir.file("binary.sdf", binary)});
    EXPECT_EQ(garbage.exitCode, 1) << garbage.err;
    EXPECT_FALSE(garbage.err.empty());
    for (unsigned char c : garbage.err)
        EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << "messages stay printable";
    for (const std::string& line : lines(garbage.out))
        EXPECT_EQ(line, "") << "only placeholders";
}

// A read whose record cannot be taken keeps its place as an SD record without
// atoms; an AuxInfo that the InChI library parses into no atoms is such a case.
TEST(BadInputTest, ReadFailuresKeepTheirPlace) {
    scratchDir_c dir;
    runResult_c written = runTool({"write", sampleFiles()[0]});
    std::vector<std::string> out = lines(written.out);
    ASSERT_GE(out.size(), 4u);
    std::string text = out[0] + "\n" + out[1] + "\n" + "InChI=1S/CH4/h1H4\n" + out[2] + "\nAuxInfo=1/0/N:1/rA:xx\n";
    runResult_c read = runTool({"read", dir.file("records.txt", text)});
    EXPECT_EQ(read.exitCode, 1);
    std::vector<std::string> sd = lines(read.out);
    EXPECT_EQ(std::count(sd.begin(), sd.end(), "$$$$"), 3);
    EXPECT_NE(read.err.find("records.txt: record 2 "), std::string::npos) << read.err;
    EXPECT_NE(read.err.find("no AuxInfo line follows the InChI on line 3"), std::string::npos) << read.err;
    EXPECT_NE(read.err.find("records.txt: record 3 \"\": the AuxInfo on line 5 holds no atoms"), std::string::npos)
        << read.err;
    EXPECT_NE(read.out.find("\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n$$$$\n"), std::string::npos);
}

}  // namespace
