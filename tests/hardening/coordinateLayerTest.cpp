// The InChI library's AuxInfo parser copies each coordinate's text into a
// 32-byte record per atom, x at column 0, y at 10, z at 20, without a bound;
// found by fuzzing TavrRead. A read must refuse a coordinate the parser would
// copy past its place (before the parser sees it), and must take every
// coordinate that fits, up to the last character.
#include <gtest/gtest.h>

#include <string>

#include "driver/entries.h"
#include "read/parserInput.h"
#include "read/readErrors.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

namespace {

using refhost::refMolecule_c;

// "1." and zeros: the value 1 written in n characters.
std::string one(size_t n) { return "1." + std::string(n - 2, '0'); }

// Ethane whose coordinate layer is the text given.
std::string ethane(const std::string& coordinates) {
    return "InChI=1S/C2H6/c1-2/h1-2H3\nAuxInfo=1/0/N:1,2/rA:2nCC/rB:s1;/rC:" + coordinates + "\n";
}

struct coordinateCase_c {
    const char* name;
    std::string coordinates;
    bool taken;
};

void PrintTo(const coordinateCase_c& c, std::ostream* os) { *os << c.name; }

class coordinateLayer : public ::testing::TestWithParam<coordinateCase_c> {};

TEST_P(coordinateLayer, readTakesWhatFitsTheParsersRecord) {
    const coordinateCase_c& c = GetParam();
    const std::string text = ethane(c.coordinates);
    bool refused = false;
    try {
        InChI_n::Read_n::parserInput(string_c(text.substr(text.find("AuxInfo=")).c_str()));
    } catch (const InChI_n::Read_n::badData&) {
        refused = true;
    }
    EXPECT_EQ(refused, !c.taken);

    refMolecule_c molecule;
    refhost::memoryInStream_c in(text);
    refhost::refAttributes_c attributes;
    EXPECT_EQ(TavrRead(&molecule, &in, &attributes, "", nullptr), c.taken ? 1 : 0);
    EXPECT_EQ(molecule.objectCount(), c.taken ? 3u : 0u);
}

const std::string vt(84, '\v');

INSTANTIATE_TEST_SUITE_P(
    table, coordinateLayer,
    ::testing::Values(
        coordinateCase_c{"libraryWritten", "-1.5857,1.7742,-1.4465;1.2e8,-1e20,0;", true},
        coordinateCase_c{"zOf12", "0,0,0;0,0," + one(12) + ";", true},
        coordinateCase_c{"zOf13", "0,0,0;0,0," + one(13) + ";", false},
        coordinateCase_c{"yOf22", "0,0,0;0," + one(22) + ",0;", true},
        coordinateCase_c{"yOf23", "0,0,0;0," + one(23) + ",0;", false},
        coordinateCase_c{"xOf32", "0,0,0;" + one(32) + ",0,0;", true},
        coordinateCase_c{"xOf33", "0,0,0;" + one(33) + ",0,0;", false},
        // Over the next atom's record rather than past the block: still refused.
        coordinateCase_c{"firstAtomZOf13", "0,0," + one(13) + ";0,0,0;", false},
        // White space before a number is part of what strtod reads.
        coordinateCase_c{"zOf12AfterBlanks", "0,0,0;0,0,  " + one(11) + ";", false},
        coordinateCase_c{"fieldsWithoutCommas", "0,0,0;1.5 2.5 " + one(12) + ";", false},
        coordinateCase_c{"emptyFields", "0,0,0;,," + one(13) + ";", false},
        coordinateCase_c{"twoFieldEntryBeforeALongZ", "0,0;0,0," + one(13) + ";", false},
        coordinateCase_c{"longNaN", "0,0,0;0,0,nan(123456789);", false},
        coordinateCase_c{"longHexadecimal", "0,0,0;0,0,0x1.00000000p3;", false},
        coordinateCase_c{"longExponent", "0,0,0;0,0,1.0000000000e3;", false},
        coordinateCase_c{"verticalTabsInsideAnEntry", "0,0,0;2." + vt + ".75", false},
        coordinateCase_c{"lastEntryWithoutSemicolon", "0,0,0;0,0," + one(13), false}));

}  // namespace
