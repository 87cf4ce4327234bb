// Splitting SD files into records: text, titles and file line numbers, for
// every kind of line end, and without holding more than one record.

#include <gtest/gtest.h>

#include <sstream>

#include "converter/molfile.h"
#include "refhost/refMolecule.h"

namespace {

std::vector<molfile_n::sdRecord_c> split(const std::string& text, size_t limit = molfile_n::sdSplitter_c::defaultMaxRecordBytes) {
    std::istringstream in(text);
    molfile_n::sdSplitter_c splitter(in, limit);
    std::vector<molfile_n::sdRecord_c> records;
    molfile_n::sdRecord_c record;
    while (splitter.next(record))
        records.push_back(record);
    return records;
}

TEST(SdSplitterTest, RecordsWithTitlesNumbersAndFirstLines) {
    auto records = split("one\nx\n\nM  END\n> <ID>\n7\n\n$$$$\ntwo\ny\n$$$$\n\nthree\nz\n$$$$\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].text, "one\nx\n\nM  END\n> <ID>\n7\n\n");
    EXPECT_EQ(records[0].title, "one");
    EXPECT_EQ(records[0].number, 1u);
    EXPECT_EQ(records[0].firstLine, 1u);
    EXPECT_EQ(records[1].title, "two");
    EXPECT_EQ(records[1].firstLine, 9u);
    EXPECT_EQ(records[2].title, "") << "a blank first line is the record's (empty) title";
    EXPECT_EQ(records[2].text, "\nthree\nz\n");
    EXPECT_EQ(records[2].firstLine, 12u);
    EXPECT_EQ(records[2].number, 3u);
}

TEST(SdSplitterTest, LineEndsOfEveryKindGiveTheSameRecords) {
    const std::string lf = "a\nb\n$$$$\nc\nd\n$$$$\n";
    for (const std::string& ends : {std::string("\r\n"), std::string("\r")}) {
        std::string text;
        for (char c : lf)
            text += c == '\n' ? ends : std::string(1, c);
        auto records = split(text);
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].text, "a\nb\n");
        EXPECT_EQ(records[1].text, "c\nd\n");
        EXPECT_EQ(records[1].firstLine, 4u);
    }
}

// The splitter reads its input in blocks of 64 KiB: a line, a record end or
// the two bytes of a CR LF pair that straddle two blocks split as anywhere
// else, with every kind of line end.
TEST(SdSplitterTest, LinesAcrossTheReadBlocksSplitAsAnywhereElse) {
    const size_t block = size_t(64) << 10;
    for (size_t shift : {0u, 1u, 2u, 3u, 5u, 6u}) {
        SCOPED_TRACE(shift);
        const std::string padding(block - shift, 'p');
        const std::string lf = "t\n" + padding.substr(2) + "\nab\n$$$$\nnext\n$$$$\n";
        std::string crlf, cr;
        for (char c : lf) {
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
            cr += c == '\n' ? '\r' : c;
        }
        for (const std::string& text : {lf, crlf, cr}) {
            auto records = split(text);
            ASSERT_EQ(records.size(), 2u);
            EXPECT_EQ(records[0].text, "t\n" + padding.substr(2) + "\nab\n");
            EXPECT_EQ(records[1].text, "next\n");
            EXPECT_EQ(records[1].firstLine, 5u);
        }
    }
}

TEST(SdSplitterTest, AMolfileWithoutDollarsIsOneRecordAndTrailingBlanksAreNone) {
    auto single = split("mol\nprog\n\nM  END");
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].text, "mol\nprog\n\nM  END\n");
    EXPECT_TRUE(split("").empty());
    EXPECT_TRUE(split("\n\n  \n").empty());
    EXPECT_EQ(split("a\n$$$$\n\n \n").size(), 1u);
    EXPECT_EQ(split("a\n$$$$\n\n$$$$\n").size(), 2u) << "blank lines closed by $$$$ are a record";
}

TEST(SdSplitterTest, ARecordPastTheLimitKeepsOnlyItsStartAndTheNextRecordIsWhole) {
    std::string huge(5000, 'x');
    auto records = split("t\n" + huge + "\n" + huge + "\n$$$$\nnext\nline\n$$$$\n", 1000);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0].overLimit);
    EXPECT_LE(records[0].text.size(), 1000u);
    EXPECT_FALSE(records[1].overLimit);
    EXPECT_EQ(records[1].text, "next\nline\n");
    EXPECT_EQ(records[1].firstLine, 5u);
}

TEST(SdSplitterTest, AnOverLimitRecordIsRefusedByTheReader) {
    auto records = split("t\n" + std::string(3000, 'x') + "\n$$$$\n", 1000);
    ASSERT_EQ(records.size(), 1u);
    refhost::refMolecule_c molecule;
    EXPECT_THROW(molfile_n::readMolfile(records[0], molecule), molfile_n::molfileError_c);
}

}  // namespace
