// tavr-inchi against inchi_main on the same files: the same InChI for every
// record, with and without options, and the same AuxInfo.
//
// The AuxInfo differs in one mark only, and only without SUCF: inchi_main
// always hands the InChI library the molfile's chiral flag, which the library
// records right after the atom count of the AuxInfo's /rA layer ("n" for a
// flag off, "c" for on). The driver passes a chiral flag only with SUCF,
// where it derives one from the molecule. Without SUCF the comparison drops
// that mark from inchi_main's AuxInfo; with SUCF it is compared as it stands.

#include <gtest/gtest.h>

#include <regex>

#include "corpusCase.h"
#include "inchiMain.h"
#include "molfileText.h"
#include "toolRun.h"

using namespace inchiMain_n;
using namespace toolRun_n;

namespace {

std::string withoutChiralMark(const std::string& auxInfo) {
    static const std::regex mark("/rA:([0-9]+)[nc]");
    return std::regex_replace(auxInfo, mark, "/rA:$1");
}

// The case's option is also inchi_main's.
class ConformanceTest : public testing::TestWithParam<corpusCase_c> {};

TEST_P(ConformanceTest, SameInchiAndAuxInfoAsInchiMain) {
    const corpusCase_c& c = GetParam();
    if (!fileExists(c.file))
        GTEST_SKIP() << c.file << " is not there";
    if (!inchiMainAvailable())
        GTEST_SKIP() << "inchi_main (libinchi-bin) is not installed";
    std::vector<referenceRecord_c> reference =
        runInchiMain(c.file, c.option.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.option});
    ASSERT_FALSE(reference.empty());

    runResult_c mine = runTool(c.writeArgs(c.file));
    EXPECT_EQ(mine.exitCode, 0) << mine.err;
    std::vector<std::string> out = lines(mine.out);
    ASSERT_EQ(out.size(), 2 * reference.size()) << "two lines per record";

    const bool chiralFlagPassed = c.option.find("SUCF") != std::string::npos;
    size_t inchiDiffers = 0, auxInfoDiffers = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        ASSERT_FALSE(reference[i].inchi.empty()) << "inchi_main failed on structure " << i + 1;
        const std::string& inchi = out[2 * i];
        const std::string& auxInfo = out[2 * i + 1];
        std::string expectedAux = chiralFlagPassed ? reference[i].auxInfo : withoutChiralMark(reference[i].auxInfo);
        if (inchi != reference[i].inchi && ++inchiDiffers <= 5)
            ADD_FAILURE() << "structure " << i + 1 << "\n  inchi_main  " << reference[i].inchi << "\n  tavr-inchi  "
                          << inchi;
        if (auxInfo != expectedAux && ++auxInfoDiffers <= 5)
            ADD_FAILURE() << "structure " << i + 1 << "\n  inchi_main  " << expectedAux << "\n  tavr-inchi  "
                          << auxInfo;
    }
    EXPECT_EQ(inchiDiffers, 0u) << "of " << reference.size();
    EXPECT_EQ(auxInfoDiffers, 0u) << "of " << reference.size();
}

INSTANTIATE_TEST_SUITE_P(Corpora, ConformanceTest, testing::ValuesIn(corpusCases({"", "SUCF", "FixedH", "SNon"})),
                         corpusCaseName);

}  // namespace

namespace {

using namespace molfileText_n;

std::string sdRecord(const std::vector<atomLine_c>& atoms, const std::vector<bondLine_c>& bonds,
                     const std::vector<std::string>& properties = {}) {
    return v2000(atoms, bonds, properties) + "$$$$\n";
}

atomLine_c atom(const char* symbol, int massDifference = 0, int chargeCode = 0, int valence = 0) {
    atomLine_c a;
    a.symbol = symbol;
    a.massDifference = massDifference;
    a.chargeCode = chargeCode;
    a.valence = valence;
    return a;
}

// The molfile encodings the corpora use little or not at all, each against
// inchi_main: isotopes as mass differences and M  ISO, D and T, charge codes
// and the property lines that replace them, radicals, valence fields (also
// below the bond order sum).
TEST(ConformanceTest, HandMadeEncodingsMatchInchiMain) {
    if (!inchiMainAvailable())
        GTEST_SKIP() << "inchi_main (libinchi-bin) is not installed";
    const std::string records[] = {
        sdRecord({atom("D"), atom("C"), atom("T")}, {{1, 2}, {2, 3}}),
        sdRecord({atom("H"), atom("C")}, {{1, 2}}, {"M  ISO  1   1   2"}),
        sdRecord({atom("Cl", 1), atom("C"), atom("Br", -1)}, {{1, 2}, {2, 3}}),
        sdRecord({atom("Cl", 2), atom("C"), atom("Br")}, {{1, 2}, {2, 3}}, {"M  ISO  2   1  37   3  81"}),
        sdRecord({atom("N", 1), atom("C")}, {{1, 2}}, {"M  ISO  1   2  13"}),
        sdRecord({atom("C"), atom("C", 0, 0, 1), atom("C")}, {{1, 2}, {2, 3}}),
        sdRecord({atom("C", 0, 0, 3), atom("C", 0, 0, 2), atom("N", 0, 0, 4)}, {{1, 2}, {2, 3}}),
        sdRecord({atom("N", 0, 3, 4), atom("C")}, {{1, 2}}),
        sdRecord({atom("O", 0, 5, 1), atom("C")}, {{1, 2}}),
        sdRecord({atom("C", 0, 3), atom("C"), atom("N")}, {{1, 2}, {2, 3}}, {"M  CHG  1   3   1"}),
        sdRecord({atom("C", 0, 3), atom("C")}, {{1, 2}}, {"M  RAD  1   2   2"}),
        sdRecord({atom("C", 0, 4), atom("C")}, {{1, 2}}),
        sdRecord({atom("C"), atom("C"), atom("C")}, {{1, 2}, {2, 3}}, {"M  RAD  3   1   1   2   2   3   3"}),
        sdRecord({atom("N", 0, 0, 2), atom("C")}, {{1, 2}}, {"M  RAD  1   1   2"}),
        sdRecord({atom("Fe"), atom("C"), atom("O")}, {{1, 2}, {2, 3, 3}}, {"M  CHG  2   1   2   3   1"}),
    };
    scratchDir_c dir;
    std::string text;
    for (const std::string& r : records)
        text += r;
    std::string file = dir.file("encodings.sdf", text);
    std::vector<referenceRecord_c> reference = runInchiMain(file, {});
    ASSERT_EQ(reference.size(), std::size(records));
    runResult_c mine = runTool({"write", file});
    EXPECT_EQ(mine.exitCode, 0) << mine.err;
    std::vector<std::string> out = lines(mine.out);
    ASSERT_EQ(out.size(), 2 * reference.size());
    for (size_t i = 0; i < reference.size(); ++i) {
        EXPECT_EQ(out[2 * i], reference[i].inchi) << "record " << i + 1;
        EXPECT_EQ(out[2 * i + 1], withoutChiralMark(reference[i].auxInfo)) << "record " << i + 1;
    }
}

// MDL's valence 15 is a valence of zero: no implicit hydrogens. inchi_main
// 1.03 takes it as fifteen (a methyl radical with fourteen hydrogens on one
// atom); the tool follows the molfile's meaning, worked by hand here.
TEST(ConformanceTest, ValenceFifteenMeansNoHydrogens) {
    scratchDir_c dir;
    std::string file = dir.file("zero.sdf", sdRecord({atom("Na", 0, 0, 15)}, {}) +
                                                sdRecord({atom("C", 0, 0, 15), atom("C")}, {{1, 2}}));
    runResult_c mine = runTool({"write", "--options", "AUXNONE", file});
    EXPECT_EQ(mine.exitCode, 0) << mine.err;
    EXPECT_EQ(lines(mine.out), (std::vector<std::string>{"InChI=1S/Na", "InChI=1S/C2H3/c1-2/h1H3"}));
}

}  // namespace
