// The intake: the header test, the AuxInfo text taken out of the stream, and
// streams that do not keep their contract (short reads, sizes that lie).
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "read/auxInfoIntake.h"
#include "read/readErrors.h"
#include "refhost/refStreams.h"
#include "scriptedInStream.h"

using InChI_n::Read_n::badData;
using InChI_n::Read_n::badHeader;
using InChI_n::Read_n::readAuxInfo;
using readTest_n::scriptedInStream_c;

namespace {

enum class outcome_e { text, badHeader, badData };

struct intakeCase_c {
    const char* name;
    std::string bytes;
    outcome_e outcome;
    std::string text;  // the expected AuxInfo text when outcome is text
};

// What readAuxInfo makes of the stream, as the outcome and the text.
std::pair<outcome_e, std::string> intake(inStream_c& stream) {
    try {
        const string_c text = readAuxInfo(stream);
        return {outcome_e::text, std::string(text.cStr(), text.length())};
    } catch (const badHeader&) {
        return {outcome_e::badHeader, ""};
    } catch (const badData&) {
        return {outcome_e::badData, ""};
    }
}

const std::string methane = "InChI=1S/CH4/h1H4\n";
const std::string methaneAux = "AuxInfo=1/0/N:1/rA:1nC/rB:/rC:0,0,0;\n";
const std::string ethanol = "InChI=1S/C2H6O/c1-2-3/h3H,2H2,1H3\n";
const std::string ethanolAux = "AuxInfo=1/0/N:1,2,3/rA:3nCCO/rB:s1;s2;/rC:0,0,0;1,0,0;2,0,0;\n";

std::string bytes(const char* text, size_t n) { return std::string(text, n); }

const intakeCase_c intakeCases[] = {
    {"InChiLineThenAuxInfoLine", methane + methaneAux, outcome_e::text, methaneAux},
    {"AuxInfoWithoutLineEnd", "InChI=1S/CH4/h1H4\nAuxInfo=1/0/N:1", outcome_e::text, "AuxInfo=1/0/N:1"},
    {"HeaderAllLowerCase", "inchi=1S/CH4/h1H4\n" + methaneAux, outcome_e::badHeader, ""},
    {"HeaderAllUpperCase", "INCHI=1S/CH4/h1H4\n" + methaneAux, outcome_e::badHeader, ""},
    {"EmptyStream", "", outcome_e::badData, ""},
    {"OneByte", "I", outcome_e::badData, ""},
    {"FiveBytes", "InChI", outcome_e::badData, ""},
    {"ExactlyTheHeader", "InChI=", outcome_e::badData, ""},
    {"SixBytesOfNonsense", "xxxxxx", outcome_e::badData, ""},
    {"SixBytesHoldingThePrefix", "AuxInf", outcome_e::badData, ""},
    {"SevenBytesWithHeader", "InChI=A", outcome_e::badData, ""},
    {"SevenBytesWithoutHeader", "xInChI=", outcome_e::badHeader, ""},
    {"ByteOrderMarkBeforeHeader", "\xEF\xBB\xBF" + methane + methaneAux, outcome_e::badHeader, ""},
    {"BlankBeforeHeader", " " + methane + methaneAux, outcome_e::badHeader, ""},
    {"LineEndBeforeHeader", "\n" + methane + methaneAux, outcome_e::badHeader, ""},
    {"NoAuxInfo", methane, outcome_e::badData, ""},
    {"AuxInfoInLowerCaseOnly", methane + "auxinfo=1/0/N:1/rA:1nC/rB:/rC:0,0,0;\n", outcome_e::badData, ""},
    {"AuxInfoMidLine", "InChI=1S/CH4/h1H4 " + methaneAux, outcome_e::text, methaneAux},
    {"AuxInfoInsideTheHeaderLine", "InChI=AuxInfo=x", outcome_e::text, "AuxInfo=x"},
    {"TwoRecordsRunToTheEnd", methane + methaneAux + ethanol + ethanolAux, outcome_e::text,
     methaneAux + ethanol + ethanolAux},
    {"NulAmongTheHeaderBytes", bytes("InC\0I=1S/CH4\nAuxInfo=1/0", 24), outcome_e::badHeader, ""},
    {"NulBetweenHeaderAndAuxInfo", bytes("InChI=1S/CH4\0\nAuxInfo=1/0", 25), outcome_e::badData, ""},
    {"NulAfterAuxInfoEndsTheText", bytes("InChI=1S/CH4\nAuxInfo=1/0\0/rA:1nC", 32), outcome_e::text,
     "AuxInfo=1/0"},
    {"StreamEndsRightAfterThePrefix", "InChI=1S/CH4/h1H4\nAuxInfo=", outcome_e::text, "AuxInfo="},
};

class intakeTable : public testing::TestWithParam<intakeCase_c> {};

void PrintTo(const intakeCase_c& c, std::ostream* out) { *out << c.name; }

}  // namespace

TEST_P(intakeTable, takesTheAuxInfoTextOrRefusesTheStream) {
    const intakeCase_c& c = GetParam();
    refhost::memoryInStream_c stream(c.bytes);
    const auto result = intake(stream);
    EXPECT_EQ(result.first, c.outcome);
    EXPECT_EQ(result.second, c.text);
}

INSTANTIATE_TEST_SUITE_P(streams, intakeTable, testing::ValuesIn(intakeCases),
                         [](const testing::TestParamInfo<intakeCase_c>& info) { return info.param.name; });

TEST(intake, readsTheHeaderWhereTheStreamStandsThenRewindsForTheWholeStream) {
    const std::string content = "x" + methane + methaneAux;
    scriptedInStream_c stream(content);
    stream.standAt(1);
    EXPECT_EQ(intake(stream), std::make_pair(outcome_e::text, methaneAux));
    const std::vector<std::string> expected = {"size", "read 6", "rewind", "read " + std::to_string(content.size())};
    EXPECT_EQ(stream.calls(), expected);
}

TEST(intake, shortStreamsAreNeitherReadNorRewound) {
    scriptedInStream_c stream("InChI=");
    EXPECT_EQ(intake(stream).first, outcome_e::badData);
    EXPECT_EQ(stream.calls(), std::vector<std::string>{"size"});
}

TEST(intake, aRefusedHeaderEndsTheIntakeBeforeTheContentIsRead) {
    scriptedInStream_c stream("inchi=1S/CH4/h1H4\n" + methaneAux);
    EXPECT_EQ(intake(stream).first, outcome_e::badHeader);
    EXPECT_EQ(stream.calls(), (std::vector<std::string>{"size", "read 6"}));
}

// A stream that delivers fewer bytes than asked counts only what it delivered:
// the text ends where the delivered bytes end, with nothing after them.
TEST(intake, shortReadsCountOnlyTheDeliveredBytes) {
    const std::string content = methane + methaneAux;
    {
        scriptedInStream_c stream(content);
        stream.reportSize(4096);
        EXPECT_EQ(intake(stream), std::make_pair(outcome_e::text, methaneAux));
    }
    {
        scriptedInStream_c stream(content);
        stream.deliverAtMost(static_cast<uint32_t>(methane.size() + 12));
        EXPECT_EQ(intake(stream), std::make_pair(outcome_e::text, methaneAux.substr(0, 12)));
    }
    {
        // The whole content arrives in pieces too small for the prefix.
        scriptedInStream_c stream(content);
        stream.deliverAtMost(6);
        EXPECT_EQ(intake(stream).first, outcome_e::badData);
    }
    {
        // The header read itself comes up short: the missing bytes fail the test.
        scriptedInStream_c stream(content);
        stream.deliverAtMost(3);
        EXPECT_EQ(intake(stream).first, outcome_e::badHeader);
    }
}

TEST(intake, aSizeBelowTheContentTakesThatManyBytes) {
    scriptedInStream_c stream(methane + methaneAux);
    stream.reportSize(static_cast<uint32_t>(methane.size() + 10));
    EXPECT_EQ(intake(stream), std::make_pair(outcome_e::text, methaneAux.substr(0, 10)));
}

#if defined(__SANITIZE_THREAD__)
#define TAVR_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TAVR_TSAN 1
#endif
#endif

// size + 1 must not wrap to an empty buffer that the read then overruns.
TEST(intake, theLargestSizeDoesNotWrapTheBuffer) {
#ifdef TAVR_TSAN
    GTEST_SKIP() << "the sanitizer's allocator writes every byte of a 4 GiB zeroed block";
#else
    scriptedInStream_c stream(methane + methaneAux);
    stream.reportSize(0xFFFFFFFFu);
    EXPECT_EQ(intake(stream), std::make_pair(outcome_e::text, methaneAux));
#endif
}

TEST(intake, exceptionsOfTheStreamPassThrough) {
    struct streamFailure_c {};
    refhost::memoryInStream_c stream(methane + methaneAux);
    stream.setHook([](const refhost::hostCall_c& call) {
        if (std::string(call.op) == "rewind") throw streamFailure_c();
    });
    EXPECT_THROW(readAuxInfo(stream), streamFailure_c);
}
