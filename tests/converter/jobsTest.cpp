// tavr-inchi --jobs: the conversions run in worker processes, and nothing a
// user sees may depend on how many: the output byte for byte, the failure
// messages and their order, the exit status.

#include <gtest/gtest.h>

#include "inchiMain.h"
#include "molfileText.h"
#include "toolRun.h"

using namespace inchiMain_n;
using namespace toolRun_n;
using namespace molfileText_n;

namespace {

std::vector<std::string> withJobs(std::vector<std::string> args, const std::string& jobs) {
    args.insert(args.begin() + 1, {"--jobs", jobs});
    return args;
}

// One worker, two, and more workers than records in a batch leave for each,
// so that the workers' answers come back out of order.
void expectSameForEveryJobCount(const std::vector<std::string>& args, const std::string& input = "/dev/null") {
    const runResult_c one = runTool(withJobs(args, "1"), input);
    for (const char* jobs : {"2", "7"}) {
        const runResult_c many = runTool(withJobs(args, jobs), input);
        EXPECT_EQ(many.exitCode, one.exitCode) << jobs << " jobs";
        EXPECT_EQ(many.out, one.out) << jobs << " jobs";
        EXPECT_EQ(many.err, one.err) << jobs << " jobs";
    }
}

// The sample's records with a failing record after every fifth: one without
// atoms (the tool refuses it) and one with an aromatic bond (the driver does).
std::string sampleWithFailures() {
    const std::string bad[] = {v2000({}, {}, {}, false, "empty") + "$$$$\n",
                               v2000({{"C"}, {"C"}}, {{1, 2, 4}}, {}, false, "aromatic") + "$$$$\n"};
    std::string text, current;
    int records = 0;
    for (const std::string& line : lines(readFile(sampleFiles()[0]))) {
        current += line + "\n";
        if (line != "$$$$")
            continue;
        text += current;
        current.clear();
        if (++records % 5 == 0)
            text += bad[(records / 5) % 2];
    }
    return text;
}

TEST(JobsTest, WriteGivesTheSameOutputForEveryJobCount) {
    for (const std::string& sample : sampleFiles()) {
        SCOPED_TRACE(sample);
        expectSameForEveryJobCount({"write", sample});
    }
    expectSameForEveryJobCount({"write", "--tabbed", "--key", sampleFiles()[1]});
    expectSameForEveryJobCount({"write", "--options", "AUXNONE", sampleFiles()[2]});
}

TEST(JobsTest, FailuresKeepTheirPlacesAndMessagesForEveryJobCount) {
    scratchDir_c dir;
    const std::string mixed = dir.file("mixed.sdf", sampleWithFailures());
    const runResult_c one = runTool({"write", "--jobs", "1", mixed});
    ASSERT_EQ(one.exitCode, 1);
    EXPECT_EQ(lines(one.err).size(), 30u) << one.err;
    expectSameForEveryJobCount({"write", mixed});
    expectSameForEveryJobCount({"write", "--tabbed", mixed});
}

TEST(JobsTest, ReadGivesTheSameOutputForEveryJobCount) {
    scratchDir_c dir;
    const runResult_c written = runTool({"write", "--jobs", "1", sampleFiles()[3]});
    ASSERT_EQ(written.exitCode, 0);
    // A second InChI without its AuxInfo line fails its record.
    const std::string text = written.out + "InChI=1S/CH4/h1H4\n" + written.out;
    expectSameForEveryJobCount({"read", dir.file("records.txt", text)});
}

TEST(JobsTest, InputsAndTheirProblemsComeInTheirOrder) {
    scratchDir_c dir;
    const std::string empty = dir.file("empty.sdf", "");
    expectSameForEveryJobCount({"write", sampleFiles()[0], dir.path() + "/missing.sdf", empty, sampleFiles()[1]});
    expectSameForEveryJobCount({"write"}, sampleFiles()[2]);
    expectSameForEveryJobCount({"write", "-", sampleFiles()[3]}, sampleFiles()[0]);
}

TEST(JobsTest, AWorkerThatEndsWithoutAnsweringEndsTheRunAfterTheRecordsBefore) {
    const runResult_c result = runTool({"write", "--jobs", "2", "--module", TAVR_STOPPING_MODULE, sampleFiles()[0]});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("a worker process exited with status 9 while converting records"), std::string::npos)
        << result.err;
    const std::vector<std::string> out = lines(result.out);
    EXPECT_EQ(out.size() % 2, 0u);
    EXPECT_GE(out.size(), 2u);
    EXPECT_LT(out.size(), 300u);
    for (size_t i = 0; i < out.size(); ++i)
        EXPECT_EQ(out[i], i % 2 == 0 ? "InChI=1S/fake" : "") << i;
}

TEST(JobsTest, HelpTellsOfJobsAndBadCountsAreUsageErrors) {
    const runResult_c help = runTool({"--help"});
    EXPECT_NE(help.out.find("--jobs N"), std::string::npos);
    EXPECT_NE(help.out.find("worker processes"), std::string::npos);
    for (const char* bad : {"0", "-1", "two", "", "1025", "99999999999999999999"}) {
        const runResult_c result = runTool({"write", "--jobs", bad, sampleFiles()[0]});
        EXPECT_EQ(result.exitCode, 2) << bad;
        EXPECT_NE(result.err.find("--jobs needs a number of processes"), std::string::npos) << bad << result.err;
        EXPECT_EQ(result.out, "") << bad;
    }
}

}  // namespace
