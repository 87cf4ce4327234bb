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

#include "toolRun.h"

using namespace toolRun_n;

namespace {

struct conformanceCase_c {
    std::string file;
    std::string option;  // also the inchi_main option, with its '-'
};

std::string withoutChiralMark(const std::string& auxInfo) {
    static const std::regex mark("/rA:([0-9]+)[nc]");
    return std::regex_replace(auxInfo, mark, "/rA:$1");
}

class ConformanceTest : public testing::TestWithParam<conformanceCase_c> {};

TEST_P(ConformanceTest, SameInchiAndAuxInfoAsInchiMain) {
    const conformanceCase_c& c = GetParam();
    if (!fileExists(c.file))
        GTEST_SKIP() << c.file << " is not there";
    if (!inchiMainAvailable())
        GTEST_SKIP() << "inchi_main (libinchi-bin) is not installed";
    std::vector<referenceRecord_c> reference =
        runInchiMain(c.file, c.option.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.option});
    ASSERT_FALSE(reference.empty());

    std::vector<std::string> args{"write"};
    if (!c.option.empty())
        args.insert(args.end(), {"--options", c.option});
    args.push_back(c.file);
    runResult_c mine = runTool(args);
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

void PrintTo(const conformanceCase_c& c, std::ostream* os) { *os << c.file << " [" << c.option << "]"; }

std::vector<conformanceCase_c> cases() {
    std::vector<std::string> files = sampleFiles();
    for (const std::string& file : sharedCorpora())
        files.push_back(file);
    std::vector<conformanceCase_c> all;
    for (const std::string& file : files)
        for (const char* option : {"", "SUCF", "FixedH", "SNon"})
            all.push_back({file, option});
    return all;
}

std::string caseName(const testing::TestParamInfo<conformanceCase_c>& info) {
    std::string file = info.param.file.substr(info.param.file.rfind('/') + 1);
    std::string name = file.substr(0, file.find('.')) + (info.param.option.empty() ? "" : "_" + info.param.option);
    for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpora, ConformanceTest, testing::ValuesIn(cases()), caseName);

}  // namespace
