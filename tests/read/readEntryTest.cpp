// TavrRead against the InChI library: the attribute declaration, the library's
// answers, failures before and during the build, the lock and the freeing of
// the library's record. The library's calls are watched (tests/support).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corelib/standInControl.h"
#include "driver/entries.h"
#include "driver/libraryLock.h"
#include "hostCallLog.h"
#include "libraryCallWatch.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

using libraryWatch_n::libraryCalls;
using libraryWatch_n::libraryCalls_c;
using readTest_n::hostCallLog_c;
using refhost::attributeCall_c;
using refhost::refAttributes_c;
using refhost::refMolecule_c;

namespace {

// Ethanol with hand-set coordinates: C0 at (0,0,0), C1 at (1.5,0,0), O2 at (2,1,0).
const std::string ethanolAux = "AuxInfo=1/0/N:1,2,3/rA:3nCCO/rB:s1;s2;/rC:0,0,0;1.5,0,0;2,1,0;";
const std::string ethanol = "InChI=1S/C2H6O/c1-2-3/h3H,2H2,1H3\n" + ethanolAux + "\n";

const std::vector<attributeCall_c> declared = {{"openGroup", 10, 0}, {"setValue", 0x0A01, 1}};

int read(refMolecule_c& molecule, const std::string& text, refAttributes_c& attributes,
         const char* options = "") {
    refhost::memoryInStream_c stream(text);
    return TavrRead(&molecule, &stream, &attributes, options, nullptr);
}

std::string describe(refMolecule_c& molecule) {
    std::string text;
    for (uint32_t index : molecule.indicesOfKind(kindAtom)) {
        refhost::refAtom_c* atom = molecule.atom(index);
        text += atom->symbolText() + "(" + std::to_string(atom->x()) + "," + std::to_string(atom->y()) + ") ";
    }
    for (uint32_t index : molecule.bondIndices()) {
        refhost::refBond_c* bond = molecule.bond(index);
        text += std::to_string(bond->first()) + "-" + std::to_string(bond->second()) + ":" +
                std::to_string(bond->orderValue()) + " ";
    }
    return text;
}

class readEntry : public testing::Test {
protected:
    void SetUp() override {
        libraryWatch_n::resetLibraryCalls();
        libraryWatch_n::setParseTamper(nullptr);
    }
    void TearDown() override {
        libraryWatch_n::setParseTamper(nullptr);
        EXPECT_EQ(libraryCalls().inputFrees, 1) << "the library's record is freed once on every path";
    }
    refMolecule_c molecule;
    refAttributes_c attributes;
};

}  // namespace

TEST_F(readEntry, buildsTheStructureAndDeclaresItsAttribute) {
    EXPECT_EQ(read(molecule, ethanol, attributes), 1);
    EXPECT_EQ(attributes.calls(), declared);
    EXPECT_EQ(describe(molecule), "C(0.000000,0.000000) C(1.500000,0.000000) O(2.000000,1.000000) 0-1:1 1-3:1 ");
    EXPECT_EQ(molecule.atom(0)->countValue(countImplicitH), 0) << "the library adds no hydrogens";
    EXPECT_EQ(libraryCalls().parses, 1);
}

TEST_F(readEntry, refusedDeclarationsLeaveTheReadSuccessful) {
    attributes.setStatus([](const attributeCall_c&) { return 0u; });
    EXPECT_EQ(read(molecule, ethanol, attributes), 1);
    EXPECT_EQ(attributes.calls(), declared);
}

TEST_F(readEntry, aThrowingAttributeSetFailsTheReadWithoutAnExceptionLeaving) {
    for (const char* throwingOp : {"openGroup", "setValue"}) {
        refMolecule_c fresh;
        refAttributes_c throwing;
        throwing.setStatus([&](const attributeCall_c& call) -> uint32_t {
            if (std::string(call.op) == throwingOp) throw 7;
            return 1;
        });
        EXPECT_EQ(read(fresh, ethanol, throwing), 0) << throwingOp;
        EXPECT_EQ(fresh.indicesOfKind(kindAtom).size(), 3u) << "the built molecule stays";
    }
    libraryWatch_n::resetLibraryCalls();
    read(molecule, ethanol, attributes);
}

TEST_F(readEntry, aLibraryWarningCountsAsSuccess) {
    libraryWatch_n::setParseTamper([](int code, InchiInpData&) { return code == 0 ? 1 : code; });
    EXPECT_EQ(read(molecule, ethanol, attributes), 1);
    EXPECT_EQ(molecule.indicesOfKind(kindAtom).size(), 3u);
    EXPECT_EQ(attributes.calls(), declared);
}

// The library answers an empty structure with a warning.
TEST_F(readEntry, anEmptyStructureIsASuccessWithoutAtoms) {
    hostCallLog_c log;
    molecule.setHook(log.hook());
    EXPECT_EQ(read(molecule, "InChI=1S//\nAuxInfo=1/0/rA:0n/rB:/rC:\n", attributes), 1);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"ownerHandle -1 0"});
    EXPECT_EQ(attributes.calls(), declared);
}

TEST_F(readEntry, otherLibraryCodesFailWithoutTouchingTheMolecule) {
    for (int code : {2, 3, -1, 4}) {
        libraryWatch_n::setParseTamper([code](int, InchiInpData&) { return code; });
        refMolecule_c fresh;
        refAttributes_c fresh_attributes;
        hostCallLog_c log;
        fresh.setHook(log.hook());
        EXPECT_EQ(read(fresh, ethanol, fresh_attributes), 0) << code;
        EXPECT_TRUE(log.lines().empty()) << code;
        EXPECT_TRUE(fresh_attributes.calls().empty()) << code;
    }
    libraryWatch_n::resetLibraryCalls();
    libraryWatch_n::setParseTamper(nullptr);
    read(molecule, ethanol, attributes);
}

TEST_F(readEntry, aStreamWithoutHeaderOrAuxInfoNeverReachesTheLibrary) {
    for (const std::string& text : {std::string("inchi=1S/CH4/h1H4\n") + ethanolAux, std::string("InChI=1S/CH4/h1H4\n"),
                                   std::string("InChI=")}) {
        refMolecule_c fresh;
        hostCallLog_c log;
        fresh.setHook(log.hook());
        EXPECT_EQ(read(fresh, text, attributes), 0) << text;
        EXPECT_TRUE(log.lines().empty()) << text;
    }
    EXPECT_TRUE(attributes.calls().empty());
    EXPECT_EQ(libraryCalls().parses, 0);
    libraryWatch_n::resetLibraryCalls();
    read(molecule, "InChI=", attributes);
}

// The parser joins every AuxInfo line it is given into one molecule; the read
// gives it the first record's line only.
TEST_F(readEntry, aStreamOfTwoRecordsReadsTheFirst) {
    const std::string water = "InChI=1S/H2O/h1H2\nAuxInfo=1/0/N:1/rA:1nO/rB:/rC:5,5,0;\n";
    EXPECT_EQ(read(molecule, ethanol + water, attributes), 1);
    EXPECT_EQ(describe(molecule), "C(0.000000,0.000000) C(1.500000,0.000000) O(2.000000,1.000000) 0-1:1 1-3:1 ");
    EXPECT_EQ(libraryWatch_n::lastParsedText(), ethanolAux);
}

TEST_F(readEntry, theParserSeesTheAuxInfoLineWithoutItsLineEnd) {
    EXPECT_EQ(read(molecule, "InChI=1S/C2H6O/c1-2-3\r\n" + ethanolAux + "\r\nmore", attributes), 1);
    EXPECT_EQ(libraryWatch_n::lastParsedText(), ethanolAux);
}

// Numbers beyond INT_MAX in the bond layer make the library write outside its
// arrays; the read refuses them before the parse. Smaller nonsense goes on to
// the library, which refuses it itself.
TEST_F(readEntry, refusesBondNumbersTheLibraryCannotTakeBeforeTheParse) {
    for (const char* aux : {"AuxInfo=1/0/rA:3nCCC/rB:s1;s2999999999;/rC:0,0,0;1,0,0;2,0,0;",
                            "AuxInfo=1/0/rA:2nCC/rB:d-2147483649;/rC:0,0,0;1,0,0;",
                            "AuxInfo=1/0/rA:2nCC/rC:0,0,0;1,0,0;/rB:s000000000000000000002147483648;",
                            "AuxInfo=1/0/rA:2nCC/rB:s99999999999999999999999999999999999;/rC:0,0,0;1,0,0;"}) {
        refMolecule_c fresh;
        EXPECT_EQ(read(fresh, std::string("InChI=1S/C2\n") + aux, attributes), 0) << aux;
        EXPECT_EQ(fresh.objectCount(), 0u);
    }
    EXPECT_EQ(libraryCalls().parses, 0);
    EXPECT_EQ(read(molecule, "InChI=1S/C2\nAuxInfo=1/0/rA:3nCCC/rB:s1;s2147483647;/rC:0,0,0;1,0,0;2,0,0;",
                   attributes),
              0);
    EXPECT_EQ(libraryCalls().parses, 1);
    libraryWatch_n::resetLibraryCalls();
    EXPECT_EQ(read(molecule, "InChI=1S/C2\nAuxInfo=1/0/rA:2nCC/rB:s00001;/rC:0,0,0;1,0,0;", attributes), 1);
}

TEST_F(readEntry, aHugeNumberInALaterRecordDoesNotStopTheFirst) {
    EXPECT_EQ(read(molecule, ethanol + "InChI=1S/C2\nAuxInfo=1/0/rA:2nCC/rB:s2999999999;/rC:0,0,0;1,0,0;\n",
                   attributes),
              1);
    EXPECT_EQ(molecule.indicesOfKind(kindAtom).size(), 3u);
}

// The parser reports nothing wrong; the stereo code is spoiled afterwards on
// the second atom's second bond, which is made in the second record's pass.
TEST_F(readEntry, anUnmappedStereoCodeMidStructureFailsAndLeavesWhatWasMade) {
    libraryWatch_n::setParseTamper([](int code, InchiInpData& data) {
        inchi_Atom& middle = data.pInp->atom[1];
        if (middle.num_bonds == 2 && middle.neighbor[1] == 2) middle.bond_stereo[1] = INCHI_BOND_STEREO_DOUBLE_EITHER;
        return code;
    });
    EXPECT_EQ(read(molecule, ethanol, attributes), 0);
    EXPECT_TRUE(attributes.calls().empty());
    ASSERT_EQ(molecule.bondIndices().size(), 2u);
    EXPECT_EQ(molecule.indicesOfKind(kindAtom).size(), 3u);
    EXPECT_EQ(molecule.atom(0)->symbolText(), "C");
    EXPECT_EQ(molecule.atom(3)->symbolText(), "") << "the neighbour made for the failing bond has no attributes";
    EXPECT_EQ(molecule.bond(molecule.bondIndices()[1])->orderValue(), 1);
}

TEST_F(readEntry, aHostExceptionDuringTheBuildFailsTheRead) {
    molecule.setHook([](const refhost::hostCall_c& call) {
        if (std::string(call.op) == "setCharge") throw std::runtime_error("host refuses");
    });
    EXPECT_EQ(read(molecule, ethanol, attributes), 0);
    EXPECT_TRUE(attributes.calls().empty());
    EXPECT_EQ(molecule.indicesOfKind(kindAtom).size(), 2u);
}

TEST_F(readEntry, aMissingMoleculeStreamOrAttributeSetAnswersZeroWithoutACall) {
    refhost::memoryInStream_c stream(ethanol);
    hostCallLog_c log;
    stream.setHook(log.hook());
    molecule.setHook(log.hook());
    attributes.setHook(log.hook());
    EXPECT_EQ(TavrRead(nullptr, &stream, &attributes, "", nullptr), 0);
    EXPECT_EQ(TavrRead(&molecule, nullptr, &attributes, "", nullptr), 0);
    EXPECT_EQ(TavrRead(&molecule, &stream, nullptr, "", nullptr), 0);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(libraryCalls().parses, 0);
    EXPECT_EQ(libraryCalls().inputFrees, 0);
    read(molecule, ethanol, attributes);
}

TEST_F(readEntry, optionTextChangesNothing) {
    ASSERT_EQ(read(molecule, ethanol, attributes, nullptr), 1);
    const std::string expected = describe(molecule);
    for (const char* options : {"", "  DoNotAddH /SNon", "AuxNone"}) {
        refMolecule_c other;
        refAttributes_c otherAttributes;
        EXPECT_EQ(read(other, ethanol, otherAttributes, options), 1);
        EXPECT_EQ(describe(other), expected) << options;
    }
    libraryWatch_n::resetLibraryCalls();
    refMolecule_c last;
    read(last, ethanol, attributes);
}

// With a lock object the parse, and nothing else, runs under it.
TEST_F(readEntry, theLockCoversTheParseAlone) {
    TavrStandInSetMutexCreation(1);
    InChI_n::startModule();
    ASSERT_NE(InChI_n::libraryLock(), nullptr);
    TavrStandInLockStatsReset();
    refhost::resetLockHeldDuringHostCall();
    const int result = read(molecule, ethanol, attributes);
    TavrStandInLockStats stats{};
    TavrStandInLockStatsGet(&stats);
    InChI_n::stopModule();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(stats.locks, 1);
    EXPECT_EQ(stats.unlocks, 1);
    EXPECT_EQ(stats.misuse, 0);
    EXPECT_EQ(libraryCalls().conversionsUnlocked, 0);
    EXPECT_EQ(libraryCalls().freesLocked, 0);
    EXPECT_EQ(refhost::lockHeldDuringHostCall(), 0u);
}

TEST_F(readEntry, aRefusedStreamTakesNoLock) {
    TavrStandInSetMutexCreation(1);
    InChI_n::startModule();
    TavrStandInLockStatsReset();
    const int result = read(molecule, "InChI=1S/CH4/h1H4\n", attributes);
    TavrStandInLockStats stats{};
    TavrStandInLockStatsGet(&stats);
    InChI_n::stopModule();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(stats.locks, 0);
}

TEST_F(readEntry, withoutALockObjectTheParseRunsUnguarded) {
    ASSERT_EQ(InChI_n::libraryLock(), nullptr);
    EXPECT_EQ(read(molecule, ethanol, attributes), 1);
    EXPECT_EQ(libraryCalls().conversionsUnlocked, 1);
}
