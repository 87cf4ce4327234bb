// tavr-inchi as a user meets it: help, exit codes, inputs, module loading,
// the output forms, InChIKeys, and structures beyond V2000.

#include <gtest/gtest.h>

#include <cstdio>

#include "inchiMain.h"
#include "toolRun.h"

using namespace inchiMain_n;
using namespace toolRun_n;

namespace {

TEST(ToolUsageTest, HelpTellsEveryOptionAndTheExitCodes) {
    runResult_c help = runTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* word : {"write", "read", "--options", "--key", "--tabbed", "--module", "AUXNONE", "standard input",
                             "V3000", "Exit status: 0", "1 when", "2 on", "1023", "20"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    EXPECT_EQ(runTool({"write", "--help"}).out, help.out);
}

TEST(ToolUsageTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"convert"}, {"write", "--bogus"}, {"write", "--options"}, {"read", "--key"}};
    for (const auto& args : wrong) {
        runResult_c result = runTool(args);
        EXPECT_EQ(result.exitCode, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(result.err.find("--help"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(ToolUsageTest, AnUnreadableInputIsAnIoErrorButTheOthersConvert) {
    scratchDir_c dir;
    runResult_c result = runTool({"write", dir.path() + "/missing.sdf", sampleFiles()[0], dir.path()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("missing.sdf: No such file or directory"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(": is a directory"), std::string::npos) << result.err;
    EXPECT_EQ(lines(result.out).size(), 300u);
}

TEST(ToolUsageTest, StandardInputForNoFileOrDash) {
    const std::string sample = sampleFiles()[1];
    runResult_c named = runTool({"write", sample});
    runResult_c none = runTool({"write"}, sample);
    runResult_c dash = runTool({"write", "-"}, sample);
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, named.out);
    EXPECT_EQ(dash.out, named.out);
    runResult_c empty = runTool({"write"});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("standard input: no records"), std::string::npos);
}

TEST(ToolUsageTest, TheModuleIsCheckedBeforeAnyRecord) {
    runResult_c missing = runTool({"write", "--module", "/nonexistent/libtavrinchi.so", sampleFiles()[0]});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("cannot load the driver module /nonexistent/libtavrinchi.so"), std::string::npos);
    EXPECT_EQ(missing.out, "");

    runResult_c partial = runTool({"write", "--module", TAVR_PARTIAL_MODULE, sampleFiles()[0]});
    EXPECT_EQ(partial.exitCode, 2);
    EXPECT_NE(partial.err.find("lacks the entry TavrPreWrite"), std::string::npos) << partial.err;
    EXPECT_EQ(partial.out, "");

    runResult_c given = runTool({"write", "--module=" TAVR_MODULE_PATH, sampleFiles()[0]});
    EXPECT_EQ(given.exitCode, 0);
    EXPECT_EQ(given.out, runTool({"write", sampleFiles()[0]}).out);
}

TEST(ToolUsageTest, KeysMatchInchiMain) {
    if (!inchiMainAvailable())
        GTEST_SKIP() << "inchi_main (libinchi-bin) is not installed";
    const std::string sample = sampleFiles()[2];
    std::vector<referenceRecord_c> reference = runInchiMain(sample, {"Key"});
    runResult_c result = runTool({"write", "--key", sample});
    EXPECT_EQ(result.exitCode, 0);
    std::vector<std::string> out = lines(result.out);
    ASSERT_EQ(out.size(), 3 * reference.size());
    for (size_t i = 0; i < reference.size(); ++i) {
        ASSERT_FALSE(reference[i].key.empty());
        EXPECT_EQ(out[3 * i + 2], reference[i].key) << "structure " << i + 1;
    }
}

TEST(ToolUsageTest, TabbedAndAuxNoneForms) {
    const std::string sample = sampleFiles()[3];
    std::vector<std::string> plain = lines(runTool({"write", sample}).out);
    std::vector<std::string> tabbed = lines(runTool({"write", "--tabbed", sample}).out);
    ASSERT_EQ(plain.size(), 2 * tabbed.size());
    std::vector<std::string> titles;
    bool next = true;
    for (const std::string& line : lines(readFile(sample))) {
        if (next)
            titles.push_back(line);
        next = line == "$$$$";
    }
    ASSERT_EQ(titles.size(), tabbed.size());
    for (size_t i = 0; i < tabbed.size(); ++i)
        EXPECT_EQ(tabbed[i], titles[i] + "\t" + plain[2 * i] + "\t" + plain[2 * i + 1]);

    std::vector<std::string> bare = lines(runTool({"write", "--options", "auxnone", sample}).out);
    ASSERT_EQ(bare.size(), tabbed.size());
    for (size_t i = 0; i < bare.size(); ++i)
        EXPECT_EQ(bare[i], plain[2 * i]);
    std::vector<std::string> keyed = lines(runTool({"write", "--options", "AUXNONE", "--key", "--tabbed", sample}).out);
    ASSERT_EQ(keyed.size(), tabbed.size());
    EXPECT_EQ(keyed[0].substr(0, titles[0].size() + 1 + plain[0].size() + 10),
              titles[0] + "\t" + plain[0] + "\tInChIKey=");
}

// An n-alkane of an even number n of carbons, worked by hand: the chain is
// numbered from both ends inwards, odd numbers from one end, even from the other.
std::string alkaneInchi(int n) {
    std::string c = "c1";
    for (int i = 3; i < n; i += 2)
        c += "-" + std::to_string(i);
    for (int i = n; i >= 2; i -= 2)
        c += "-" + std::to_string(i);
    return "InChI=1S/C" + std::to_string(n) + "H" + std::to_string(2 * n + 2) + "/" + c + "/h3-" + std::to_string(n) +
           "H2,1-2H3";
}

std::string alkane(int n, bool v3000) {
    char line[128];
    std::string text = "C" + std::to_string(n) + "\n  test\n\n";
    if (!v3000) {
        std::snprintf(line, sizeof line, "%3d%3d  0  0  0  0  0  0  0  0999 V2000\n", n, n - 1);
        text += line;
        for (int i = 0; i < n; ++i) {
            std::snprintf(line, sizeof line, "%10.4f%10.4f%10.4f C   0  0  0  0  0  0  0  0  0  0  0  0\n", 1.3 * i,
                          0.75 * (i % 2), 0.0);
            text += line;
        }
        for (int i = 1; i < n; ++i) {
            std::snprintf(line, sizeof line, "%3d%3d  1  0\n", i, i + 1);
            text += line;
        }
        return text + "M  END\n$$$$\n";
    }
    text += "  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n";
    text += "M  V30 COUNTS " + std::to_string(n) + " " + std::to_string(n - 1) + " 0 0 0\nM  V30 BEGIN ATOM\n";
    for (int i = 0; i < n; ++i) {
        std::snprintf(line, sizeof line, "M  V30 %d C %.4f %.4f 0 0\n", i + 1, 1.3 * i, 0.75 * (i % 2));
        text += line;
    }
    text += "M  V30 END ATOM\nM  V30 BEGIN BOND\n";
    for (int i = 1; i < n; ++i)
        text += "M  V30 " + std::to_string(i) + " 1 " + std::to_string(i) + " " + std::to_string(i + 1) + "\n";
    return text + "M  V30 END BOND\nM  V30 END CTAB\nM  END\n$$$$\n";
}

TEST(ToolUsageTest, TheHandWorkedAlkaneInchiIsInchiMains) {
    if (!inchiMainAvailable())
        GTEST_SKIP() << "inchi_main (libinchi-bin) is not installed";
    scratchDir_c dir;
    for (int n : {6, 20, 998}) {
        std::vector<referenceRecord_c> reference = runInchiMain(dir.file("alkane.sdf", alkane(n, false)), {});
        ASSERT_EQ(reference.size(), 1u);
        EXPECT_EQ(reference[0].inchi, alkaneInchi(n));
    }
}

// inchi_main 1.03 reads no V3000, so the large structures are checked
// against the hand-worked InChI, and V3000 against V2000 where both can hold it.
TEST(ToolUsageTest, StructuresBeyondV2000) {
    scratchDir_c dir;
    std::string small = dir.file("small.sdf", alkane(20, false) + alkane(20, true));
    std::vector<std::string> out = lines(runTool({"write", "--options", "AUXNONE", small}).out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], alkaneInchi(20));
    EXPECT_EQ(out[1], alkaneInchi(20));

    std::string large = dir.file("large.sdf", alkane(1010, true) + alkane(1024, true));
    runResult_c written = runTool({"write", large});
    EXPECT_EQ(written.exitCode, 1);
    out = lines(written.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], alkaneInchi(1010));
    EXPECT_EQ(out[2], "");
    EXPECT_NE(written.err.find("record 2 \"C1024\": the driver refused the structure: 1024 atoms, more than the 1023"),
              std::string::npos)
        << written.err;

    runResult_c read = runTool({"read", dir.file("large.txt", written.out)});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.out.find("M  V30 COUNTS 1010 1009 0 0 0"), std::string::npos);
    out = lines(runTool({"write", dir.file("back.sdf", read.out)}).out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], alkaneInchi(1010));
}

TEST(ToolUsageTest, ReadTakesInchiMainOutput) {
    if (!inchiMainAvailable())
        GTEST_SKIP() << "inchi_main (libinchi-bin) is not installed";
    scratchDir_c dir;
    const std::string sample = sampleFiles()[2];
    std::string out = dir.path() + "/out.txt";
    run({"inchi_main", sample, out, dir.path() + "/log.txt", dir.path() + "/prb.txt", "-Key"});
    runResult_c read = runTool({"read", out});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    std::vector<std::string> sd = lines(read.out);
    EXPECT_EQ(sd[0], "Structure: 1");
    std::vector<std::string> again = lines(runTool({"write", "--options", "AUXNONE", dir.file("back.sdf", read.out)}).out);
    std::vector<referenceRecord_c> reference = runInchiMain(sample, {});
    ASSERT_EQ(again.size(), reference.size());
    for (size_t i = 0; i < again.size(); ++i)
        EXPECT_EQ(again[i], reference[i].inchi) << "structure " << i + 1;
}

}  // namespace
