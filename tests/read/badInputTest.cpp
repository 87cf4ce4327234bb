// Bad input through TavrRead: each answers 0 or 1, never crashes, and leaves
// no storage of the host's allocator behind. The library's calls are watched
// (tests/support) to tell the input the read refuses before the parse.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "corelib/standInControl.h"
#include "driver/entries.h"
#include "libraryCallWatch.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

using libraryWatch_n::libraryCalls;

// A negative atom count makes the library ask calloc for a negative number of
// records; the C library answers null and the library refuses the text, which
// is what these tests look at. The sanitizers would end the process instead.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
extern "C" const char* __tsan_default_options() { return "allocator_may_return_null=1"; }

namespace {

constexpr int eitherResult = -1;

enum class parse_e { made, notMade };

struct badInput_c {
    const char* name;
    std::string auxInfo;
    int result;  // 0, 1 or eitherResult
    parse_e parse;
};

// Atoms 1..n of carbon at distinct places, and the bond layer given.
std::string carbons(int n, const std::string& bonds) {
    std::string text = "AuxInfo=1/0/rA:" + std::to_string(n) + "n" + std::string(static_cast<size_t>(n), 'C') +
                       "/rB:" + bonds + "/rC:";
    for (int i = 0; i < n; ++i) text += std::to_string(i) + ",0,0;";
    return text;
}

// Atom n bonded to each of atoms 1..n-1, listed in its own entry.
std::string starAtTheLast(int n) {
    std::string bonds(static_cast<size_t>(n - 2), ';');
    for (int i = 1; i < n; ++i) bonds += "s" + std::to_string(i);
    return carbons(n, bonds + ";");
}

// Atom 1 bonded to each of atoms 2..n, each listing it.
std::string starAtTheFirst(int n) {
    std::string bonds;
    for (int i = 2; i <= n; ++i) bonds += "s1;";
    return carbons(n, bonds);
}

const std::string ethanolAux = "AuxInfo=1/0/N:1,2,3/rA:3nCCO/rB:s1;s2;/rC:0,0,0;1.5,0,0;2,1,0;";

const badInput_c badInputs[] = {
    {"truncatedInTheCoordinates", "AuxInfo=1/0/N:1,2,3/rA:3nCCO/rB:s1;s2;/rC:0,0,0;1.5,0,0;2,1", 0, parse_e::made},
    {"truncatedAfterTheAtoms", "AuxInfo=1/0/N:1,2,3/rA:3nCCO", 0, parse_e::made},
    {"truncatedInTheBonds", "AuxInfo=1/0/N:1,2,3/rA:3nCCO/rB:s1;s", 0, parse_e::made},
    {"onlyThePrefix", "AuxInfo=", 0, parse_e::made},
    {"garbageAfterThePrefix", "AuxInfo=garbage", 0, parse_e::made},
    {"bytesAfterThePrefix", "AuxInfo=\x01\x7f\x80\xfe\xff/rA:\xff", 0, parse_e::made},
    {"moreAtomsThanTheLibraryTakes", carbons(2, "s1;").replace(15, 1, "99999"), 0, parse_e::made},
    {"negativeAtomCount", "AuxInfo=1/0/rA:-3nCC/rB:s1;/rC:0,0,0;1,0,0;", 0, parse_e::made},
    {"atomCountAboveTheElements", "AuxInfo=1/0/rA:5nCC/rB:s1;/rC:0,0,0;1,0,0;", 0, parse_e::made},
    {"atomCountWrappingToTwo", "AuxInfo=1/0/rA:4294967298nCC/rB:s1;/rC:0,0,0;1,0,0;", eitherResult, parse_e::made},
    {"unknownElements", "AuxInfo=1/0/rA:2nXxZz/rB:s1;/rC:0,0,0;1,0,0;", 1, parse_e::made},
    {"overlongElement", "AuxInfo=1/0/rA:2nCAbcdefghijk/rB:s1;/rC:0,0,0;1,0,0;", 0, parse_e::made},
    {"negativeIsotope", "AuxInfo=1/0/rA:2nC.i-13C/rB:s1;/rC:0,0,0;1,0,0;", 0, parse_e::made},
    {"hugeIsotope", "AuxInfo=1/0/rA:2nC.i99999C/rB:s1;/rC:0,0,0;1,0,0;", 1, parse_e::made},
    {"hugeCharge", "AuxInfo=1/0/rA:2nC-999C/rB:s1;/rC:0,0,0;1,0,0;", eitherResult, parse_e::made},
    {"coordinatesOutOfRange", "AuxInfo=1/0/rA:2nCC/rB:s1;/rC:1e300,nan,inf;99999999999999999999999,0,0;", 1,
     parse_e::made},
    {"bondToAtomZero", carbons(2, "s0;"), 0, parse_e::notMade},
    {"wedgeToAtomZero", carbons(3, "s1;v00;"), 0, parse_e::notMade},
    {"bondToAtomTen", carbons(11, "s1;s2;s3;s4;s5;s6;s7;s8;s9;s10;"), 1, parse_e::made},
    {"bondToAMissingAtom", carbons(2, "s5;"), 0, parse_e::made},
    {"bondToANegativeAtom", carbons(3, "s1;s-3;"), 0, parse_e::made},
    {"bondOfAnAtomToItself", carbons(2, "s2;"), 0, parse_e::made},
    {"unknownBondLetter", carbons(2, "x1;"), 0, parse_e::made},
    {"bondNumberBeyondInt", carbons(3, "s1;s2999999999;"), 0, parse_e::notMade},
    {"negativeBondNumberBeyondInt", carbons(2, "d-2147483649;"), 0, parse_e::notMade},
    {"bondNumberBeyondLong", carbons(2, "s99999999999999999999;"), 0, parse_e::notMade},
    {"maxvalBondsAtTheLastAtom", starAtTheLast(MAXVAL + 1), 1, parse_e::made},
    {"maxvalBondsAtTheFirstAtom", starAtTheFirst(MAXVAL + 1), 1, parse_e::made},
    {"oneBondTooManyAtTheLastAtom", starAtTheLast(MAXVAL + 2), 0, parse_e::notMade},
    {"oneBondTooManyAtTheFirstAtom", starAtTheFirst(MAXVAL + 2), 0, parse_e::notMade},
    {"hundredsOfBondsAtTheLastAtom", starAtTheLast(300), 0, parse_e::notMade},
    {"hundredsOfBondsAtTheFirstAtom", starAtTheFirst(300), 0, parse_e::notMade},
    {"bondLayerBehindTheCoordinates", "AuxInfo=1/0/rA:2nCC/rC:0,0,0;1,0,0;/rB:s2999999999;", 0, parse_e::notMade},
};

class badInputTable : public testing::TestWithParam<badInput_c> {};

void PrintTo(const badInput_c& c, std::ostream* out) { *out << c.name; }

}  // namespace

TEST_P(badInputTable, answersWithoutCrashingOrLeaking) {
    const badInput_c& c = GetParam();
    libraryWatch_n::resetLibraryCalls();
    const long hostBlocks = TavrStandInLiveBlocks();
    refhost::refMolecule_c molecule;
    refhost::memoryInStream_c stream("InChI=1S/C\n" + c.auxInfo + "\n");
    refhost::refAttributes_c attributes;
    const int result = TavrRead(&molecule, &stream, &attributes, "", nullptr);
    if (c.result == eitherResult)
        EXPECT_TRUE(result == 0 || result == 1) << result;
    else
        EXPECT_EQ(result, c.result);
    EXPECT_EQ(libraryCalls().parses, c.parse == parse_e::made ? 1 : 0);
    EXPECT_EQ(libraryCalls().inputFrees, 1);
    EXPECT_EQ(attributes.calls().size(), result == 1 ? 2u : 0u);
    if (c.parse == parse_e::notMade) {
        EXPECT_EQ(molecule.objectCount(), 0u);
    }
    EXPECT_EQ(TavrStandInLiveBlocks(), hostBlocks);
}

INSTANTIATE_TEST_SUITE_P(auxInfo, badInputTable, testing::ValuesIn(badInputs),
                         [](const testing::TestParamInfo<badInput_c>& info) { return info.param.name; });

namespace {

// A small fixed-seed generator, so that every run tries the same texts.
class mutator_c {
public:
    explicit mutator_c(uint32_t seed) : state_(seed) {}
    uint32_t below(uint32_t n) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % n;
    }
    std::string mutate(std::string text) {
        static const char* const tokens[] = {"-1", "0", "99999", "32767", "65536", "/", "/rB:", "/rC:", ";",
                                             ",", ".", "s", "d", "w", "p", "N", "2999999999", "nan", "1e308"};
        const uint32_t edits = 1 + below(4);
        for (uint32_t e = 0; e < edits && !text.empty(); ++e) {
            const size_t at = 8 + below(static_cast<uint32_t>(text.size() > 8 ? text.size() - 8 : 1));
            switch (below(5)) {
                case 0: text[std::min(at, text.size() - 1)] = static_cast<char>(32 + below(95)); break;
                case 1: text.erase(std::min(at, text.size()), 1 + below(6)); break;
                case 2: text.insert(std::min(at, text.size()), tokens[below(sizeof tokens / sizeof *tokens)]); break;
                case 3: text[std::min(at, text.size() - 1)] = static_cast<char>('0' + below(10)); break;
                default: text.resize(std::min(at, text.size())); break;
            }
        }
        return text;
    }

private:
    uint32_t state_;
};

}  // namespace

// Texts near well-formed ones, changed at random but the same in every run:
// whatever the parser makes of them, the read answers 0 or 1 and cleans up.
TEST(badInput, mutatedAuxInfoNeverBreaksTheRead) {
    const std::string seeds[] = {
        ethanolAux,
        "AuxInfo=1/1/N:4,1,2,3,5/E:(2,3)/rA:5nCClC.i13OBr/rB:P1;s1;N1;v1;/rC:0,0,0;1,0,0;-1,0,0;0,1,0;0,-1,0;",
        "AuxInfo=1/0/N:1,2,3,4/rA:4nCCN+O-/rB:d1;w2;s3;/rC:0,0,0;1.3,.75,0;2.6,0,0;3.9,.75,0;",
        "AuxInfo=1/0/rA:3nCC2.2O/rB:s1;t2;/rC:.5,0,1;1,1,1;2,2,-1;",
    };
    mutator_c mutator(20240611u);
    const long hostBlocks = TavrStandInLiveBlocks();
    int answered = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = mutator.mutate(seeds[i % 4]);
        refhost::refMolecule_c molecule;
        refhost::memoryInStream_c stream("InChI=1S/C\n" + text + "\n");
        refhost::refAttributes_c attributes;
        const int result = TavrRead(&molecule, &stream, &attributes, "", nullptr);
        ASSERT_TRUE(result == 0 || result == 1) << text;
        answered += result;
    }
    EXPECT_EQ(TavrStandInLiveBlocks(), hostBlocks);
    EXPECT_GT(answered, 0) << "some mutants are still structures";
}
