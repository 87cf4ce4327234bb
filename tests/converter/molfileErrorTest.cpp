// Input the molfile reader cannot take: each is refused with the file line
// and the field, never read half-way as something else.

#include <gtest/gtest.h>

#include <functional>

#include "converter/molfile.h"
#include "molfileText.h"
#include "refhost/refMolecule.h"

using namespace molfileText_n;

namespace {

// Ethanol: header lines 1-3, counts line 4, atoms 5-7, bonds 8-9, M  END 10.
std::string ethanol() { return v2000({{"C"}, {"C"}, {"O"}}, {{1, 2}, {2, 3}}); }

std::string replaceLine(const std::string& text, size_t line, const std::string& with) {
    size_t start = 0;
    for (size_t i = 1; i < line; ++i)
        start = text.find('\n', start) + 1;
    size_t end = text.find('\n', start);
    return text.substr(0, start) + with + text.substr(end);
}

std::string cutAfterLine(const std::string& text, size_t line) {
    size_t end = 0;
    for (size_t i = 0; i < line; ++i)
        end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

// The start of an executable: NUL bytes and control characters.
std::string binaryBytes() {
    static const char bytes[] = "\x7f" "ELF\x02\x01\x01\n\x00\x00\x00\n\n\x03\x00>\x00\x01\n";
    return std::string(bytes, sizeof bytes - 1);
}

struct errorCase_c {
    const char* what;
    std::string text;
    size_t line;
    const char* field;  // a part of the field's name
};

TEST(MolfileErrorTest, EachFaultNamesItsLineAndField) {
    const std::string good = ethanol();
    const errorCase_c cases[] = {
        {"empty text", "", 1, "title"},
        {"header only", "t\n p\n\n", 4, "counts line"},
        {"non-numeric atom count", replaceLine(good, 4, "  x  2  0  0  0  0  0  0  0  0999 V2000"), 4, "atom count"},
        {"unknown version", replaceLine(good, 4, "  3  2  0  0  0  0  0  0  0  0999 V4000"), 4, "version"},
        {"more atoms announced than given", replaceLine(good, 4, "  4  2  0  0  0  0  0  0  0  0999 V2000"), 8,
         "atom count"},
        {"fewer atoms announced than given", replaceLine(good, 4, "  2  2  0  0  0  0  0  0  0  0999 V2000"), 7,
         "atom count"},
        {"more bonds announced than given", replaceLine(good, 4, "  3  3  0  0  0  0  0  0  0  0999 V2000"), 10,
         "bond count"},
        {"fewer bonds announced than given", replaceLine(good, 4, "  3  1  0  0  0  0  0  0  0  0999 V2000"), 9,
         "bond count"},
        {"non-numeric coordinate", replaceLine(good, 6, "    1.0x00    0.0000    0.0000 C   0  0  0  0  0  0"), 6,
         "x coordinate"},
        {"missing symbol", replaceLine(good, 6, "    1.0000    0.0000    0.0000"), 6, "symbol"},
        {"charge code out of range", replaceLine(good, 6, "    1.0000    0.0000    0.0000 C   0  8  0  0  0  0"), 6,
         "charge"},
        {"valence out of range", replaceLine(good, 6, "    1.0000    0.0000    0.0000 C   0  0  0  0  0 16"), 6,
         "valence"},
        {"bond atom beyond the atoms", replaceLine(good, 9, "  2  4  1  0"), 9, "second atom"},
        {"bond atom zero", replaceLine(good, 9, "  0  3  1  0"), 9, "first atom"},
        {"bond to itself", replaceLine(good, 9, "  2  2  1  0"), 9, "second atom"},
        {"non-numeric bond type", replaceLine(good, 9, "  2  3  a  0"), 9, "bond type"},
        {"bond type 9", replaceLine(good, 9, "  2  3  9  0"), 9, "bond type"},
        {"bond stereo 2", replaceLine(good, 9, "  2  3  1  2"), 9, "stereo"},
        {"no M  END", cutAfterLine(good, 9), 10, "M  END"},
        {"data items before M  END", cutAfterLine(good, 9) + ">  <ID>\n1\n\n", 10, "M  END"},
        {"truncated in the atoms", cutAfterLine(good, 6), 7, "atom 3 of 3"},
        {"truncated in the bonds", cutAfterLine(good, 8), 9, "bond 2 of 2"},
        {"M  CHG atom out of range", replaceLine(good, 10, "M  CHG  1   4   1\nM  END"), 10, "M  CHG atom"},
        {"M  CHG count disagrees", replaceLine(good, 10, "M  CHG  2   1   1\nM  END"), 10, "M  CHG"},
        {"M  ISO value not a number", replaceLine(good, 10, "M  ISO  1   1  1x\nM  END"), 10, "M  ISO value"},
        {"M  RAD code 4", replaceLine(good, 10, "M  RAD  1   1   4\nM  END"), 10, "M  RAD value"},
        {"binary bytes", binaryBytes(), 4, "counts line"},
    };
    for (const errorCase_c& c : cases) {
        refhost::refMolecule_c molecule;
        try {
            molfile_n::readMolfile(c.text, molecule);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const molfile_n::molfileError_c& error) {
            EXPECT_EQ(error.line(), c.line) << c.what << ": " << error.what();
            EXPECT_NE(error.field().find(c.field), std::string::npos) << c.what << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find("line " + std::to_string(c.line)), std::string::npos)
                << c.what << ": " << error.what();
        }
    }
}

TEST(MolfileErrorTest, LineNumbersCountFromTheRecordsPlaceInTheFile) {
    refhost::refMolecule_c molecule;
    try {
        molfile_n::readMolfile(replaceLine(ethanol(), 9, "  2  7  1  0"), molecule, 101);
        FAIL() << "no error";
    } catch (const molfile_n::molfileError_c& error) {
        EXPECT_EQ(error.line(), 109u);
        EXPECT_STREQ(error.what(), "line 109, bond second atom: 7 is not in 1..3");
    }
}

TEST(MolfileErrorTest, BinaryBytesAreShownEscaped) {
    refhost::refMolecule_c molecule;
    try {
        molfile_n::readMolfile(replaceLine(ethanol(), 9, std::string("  2\x01\x02\xff  1  0")), molecule);
        FAIL() << "no error";
    } catch (const molfile_n::molfileError_c& error) {
        std::string what = error.what();
        EXPECT_NE(what.find("\\x01\\x02\\xff"), std::string::npos) << what;
        for (unsigned char c : what)
            EXPECT_TRUE(c >= 0x20 && c < 0x7f) << what;
    }
}

TEST(MolfileErrorTest, V3000Faults) {
    const std::string head = "t\n p\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n";
    const std::string atoms = "M  V30 BEGIN ATOM\nM  V30 1 C 0 0 0 0\nM  V30 2 O 1 0 0 0\nM  V30 END ATOM\n";
    const std::string tail = "M  V30 END CTAB\nM  END\n";
    const errorCase_c cases[] = {
        {"more atoms than counted", head + "M  V30 COUNTS 1 0 0 0 0\n" + atoms + tail, 9, "atom count"},
        {"fewer atoms than counted", head + "M  V30 COUNTS 3 0 0 0 0\n" + atoms + tail, 6, "atom count"},
        {"bond to an unknown atom",
         head + "M  V30 COUNTS 2 1 0 0 0\n" + atoms + "M  V30 BEGIN BOND\nM  V30 1 1 1 5\nM  V30 END BOND\n" + tail,
         12, "second atom"},
        {"non-numeric coordinate", head + "M  V30 COUNTS 1 0 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 C 0 y 0 0\n", 8,
         "y coordinate"},
        {"unclosed quote", head + "M  V30 COUNTS 1 0 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 \"C 0 0 0 0\n", 8, "item"},
        {"no END CTAB", head + "M  V30 COUNTS 2 0 0 0 0\n" + atoms, 11, "END CTAB"},
        {"not a V30 line", head + "M  V30 COUNTS 2 0 0 0 0\nM  V30 BEGIN ATOM\n  1 C 0 0 0 0\n", 8, "END ATOM"},
        {"atom index twice",
         head + "M  V30 COUNTS 2 0 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 C 0 0 0 0\nM  V30 1 O 0 0 0 0\n", 9,
         "atom index"},
    };
    for (const errorCase_c& c : cases) {
        refhost::refMolecule_c molecule;
        try {
            molfile_n::readMolfile(c.text, molecule);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const molfile_n::molfileError_c& error) {
            EXPECT_EQ(error.line(), c.line) << c.what << ": " << error.what();
            EXPECT_NE(error.field().find(c.field), std::string::npos) << c.what << ": " << error.what();
        }
    }
}

}  // namespace
