// The option pipeline: caller text -> final option text, worked by hand with
// the platform prefix '-' (the InChI library on Linux ignores '/' words).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/refMolecule.h"
#include "write/writeOptions.h"

namespace {

using InChI_n::buildWriteOptions;
using InChI_n::chiralFlagOption;

struct optionCase_c {
    const char* name;
    const char* caller;          // may be null
    std::vector<int32_t> groups;  // type codes of the molecule's kind-24 objects
    const char* expected;
};

void PrintTo(const optionCase_c& c, std::ostream* os) { *os << c.name; }

class optionPipeline : public ::testing::TestWithParam<optionCase_c> {};

TEST_P(optionPipeline, finalText) {
    const optionCase_c& c = GetParam();
    refhost::refMolecule_c molecule;
    for (int32_t code : c.groups) molecule.newGroup(code);
    const string_c options = buildWriteOptions(molecule, c.caller);
    EXPECT_EQ(std::string(options.cStr()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    table, optionPipeline,
    ::testing::Values(
        // Only the caller's text is trimmed: the blank of " NEWPS" stays.
        optionCase_c{"null", nullptr, {}, " -NEWPS"},
        optionCase_c{"empty", "", {}, " -NEWPS"},
        optionCase_c{"blanksOnly", " \t\r\n ", {}, " -NEWPS"},
        optionCase_c{"sucfNoGroups", " sucf ", {}, "-SUCF -NEWPS -CHIRALFLAGOFF"},
        optionCase_c{"sucfChiralGroups", " sucf ", {12, 16}, "-SUCF -NEWPS -CHIRALFLAGON"},
        optionCase_c{"callerFlagOn", "SUCF ChiralFlagOn", {5}, "-SUCF -CHIRALFLAGON -NEWPS"},
        optionCase_c{"callerFlagOff", "SUCF chiralflagoff", {12}, "-SUCF -CHIRALFLAGOFF -NEWPS"},
        optionCase_c{"flagWithoutSucf", "FixedH", {12}, "-FIXEDH -NEWPS"},
        // Substring searches: a word that merely contains SUCF enables the derivation.
        optionCase_c{"substring", "NOSUCFX", {12}, "-NOSUCFX -NEWPS -CHIRALFLAGON"},
        // A word that already has a prefix still gets the platform's one.
        optionCase_c{"slashWord", "/SUCF", {}, "-/SUCF -NEWPS -CHIRALFLAGOFF"},
        optionCase_c{"dashWord", "-SNon", {}, "--SNON -NEWPS"},
        optionCase_c{"tabsAndRuns", "  fixedh\tsnon   key ", {}, "-FIXEDH\t-SNON   -KEY -NEWPS"},
        optionCase_c{"addTavrelH", "AddTavrelH", {}, "-ADDTAVRELH -NEWPS"},
        optionCase_c{"addTavrelHLower", "addtavrelh auxnone", {}, "-ADDTAVRELH -AUXNONE -NEWPS"}));

// The derived flag alone: on exactly when some group is 12 and all are 12, 15, 16 or 17.
struct chiralCase_c {
    const char* name;
    std::vector<int32_t> groups;
    const char* expected;
};

void PrintTo(const chiralCase_c& c, std::ostream* os) { *os << c.name; }

class chiralFlag : public ::testing::TestWithParam<chiralCase_c> {};

TEST_P(chiralFlag, derivedFromGroups) {
    refhost::refMolecule_c molecule;
    molecule.newAtom("C");
    for (int32_t code : GetParam().groups) molecule.newGroup(code);
    EXPECT_EQ(std::string(chiralFlagOption(molecule).cStr()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    table, chiralFlag,
    ::testing::Values(chiralCase_c{"none", {}, " CHIRALFLAGOFF"},
                      chiralCase_c{"only12", {12}, " CHIRALFLAGON"},
                      chiralCase_c{"12then16", {12, 16}, " CHIRALFLAGON"},
                      chiralCase_c{"15and17around12", {15, 12, 17}, " CHIRALFLAGON"},
                      chiralCase_c{"12then5", {12, 5}, " CHIRALFLAGOFF"},
                      chiralCase_c{"5then12", {5, 12}, " CHIRALFLAGOFF"},
                      chiralCase_c{"16alone", {16}, " CHIRALFLAGOFF"},
                      chiralCase_c{"17alone", {17}, " CHIRALFLAGOFF"},
                      chiralCase_c{"negative", {12, -12}, " CHIRALFLAGOFF"},
                      // Past the inline words of the set: the walk reaches group 200.
                      chiralCase_c{"manyGroups", std::vector<int32_t>(200, 16), " CHIRALFLAGOFF"}));

TEST(chiralFlag, lateGroupBeyondInlineWordsCounts) {
    refhost::refMolecule_c molecule;
    for (int i = 0; i < 199; ++i) molecule.newGroup(16);
    molecule.newGroup(12);
    EXPECT_STREQ(chiralFlagOption(molecule).cStr(), " CHIRALFLAGON");
    molecule.newGroup(3);
    EXPECT_STREQ(chiralFlagOption(molecule).cStr(), " CHIRALFLAGOFF");
}

// A caller's own chiral flag settles it: the molecule's groups are not asked for.
TEST(optionPipeline, callerFlagAsksNoGroups) {
    refhost::refMolecule_c molecule;
    molecule.newGroup(12);
    int groupQueries = 0;
    molecule.setHook([&](const refhost::hostCall_c& call) {
        if (std::string(call.op) == "objectsOfKind" && call.arg0 == kindGroup) ++groupQueries;
        if (std::string(call.op) == "groupAt") ++groupQueries;
    });
    EXPECT_STREQ(buildWriteOptions(molecule, "sucf chiralflagon").cStr(), "-SUCF -CHIRALFLAGON -NEWPS");
    EXPECT_EQ(groupQueries, 0);
    buildWriteOptions(molecule, "sucf");
    EXPECT_EQ(groupQueries, 2);
}

TEST(optionKeywords, hydrogenModeInAnyCase) {
    refhost::refMolecule_c molecule;
    for (const char* caller : {"AddTavrelH", "addtavrelh", "ADDTAVRELH", "key xaddtavrelhx"}) {
        EXPECT_TRUE(InChI_n::asksTavrelHydrogens(buildWriteOptions(molecule, caller))) << caller;
    }
    for (const char* caller : {"", "AddTavrel", "Add TavrelH"}) {
        EXPECT_FALSE(InChI_n::asksTavrelHydrogens(buildWriteOptions(molecule, caller))) << caller;
    }
    EXPECT_TRUE(InChI_n::asksTavrelHydrogens(string_c("-addTAVRELh")));
}

TEST(optionKeywords, auxNoneInAnyCase) {
    refhost::refMolecule_c molecule;
    for (const char* caller : {"AUXNONE", "auxnone", "AuxNone", "fixedh AuxNoneX"}) {
        EXPECT_TRUE(InChI_n::suppressesAuxInfo(buildWriteOptions(molecule, caller))) << caller;
    }
    EXPECT_FALSE(InChI_n::suppressesAuxInfo(buildWriteOptions(molecule, "AUX NONE")));
    EXPECT_TRUE(InChI_n::suppressesAuxInfo(string_c("-auxNone")));
    EXPECT_FALSE(InChI_n::suppressesAuxInfo(string_c()));
}

}  // namespace
