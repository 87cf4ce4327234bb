// Molecules and hosts the write must refuse: each answers 0, leaves the stream
// untouched and gives back every block it took from either heap.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>

#include "corelib/standInControl.h"
#include "driver/driverErrors.h"
#include "driver/entries.h"
#include "failingHeap.h"
#include "host/tavrelException_c.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"
#include "testStructure.h"
#include "write/inputAtomTable.h"
#include "write/inputRecord.h"

namespace {

using refhost::refMolecule_c;
using writeTest_n::liveHeapBlocks;

// An output stream that takes no heap, so that heap counts show the driver alone.
class fixedOutStream_c final : public outStream_c {
public:
    int32_t writeLine(const char* text) override { return put(text, true); }
    int32_t write(const char* text) override { return put(text, false); }
    int calls() const { return calls_; }
    std::string text() const { return std::string(text_, length_); }

private:
    int32_t put(const char* text, bool lineEnd) {
        ++calls_;
        const size_t n = std::strlen(text);
        if (length_ + n + 1 > sizeof text_) return 0;
        std::memcpy(text_ + length_, text, n);
        length_ += n;
        if (lineEnd) text_[length_++] = '\n';
        return 1;
    }
    char text_[8192];
    size_t length_ = 0;
    int calls_ = 0;
};

struct outcome_c {
    int result;
    int streamCalls;
    long standInBlocksTaken;  // TavrNewMemory blocks still out after the write
    long heapBlocksTaken;     // operator new blocks still out after the write
};

outcome_c write(refMolecule_c& molecule, const char* options = "") {
    fixedOutStream_c out;
    const long standIn = TavrStandInLiveBlocks();
    const long heap = liveHeapBlocks();
    const int result = TavrWrite(&molecule, &out, options, nullptr);
    return {result, out.calls(), TavrStandInLiveBlocks() - standIn, liveHeapBlocks() - heap};
}

void expectRefused(refMolecule_c& molecule, const std::string& what, const char* options = "") {
    const outcome_c outcome = write(molecule, options);
    EXPECT_EQ(outcome.result, 0) << what;
    EXPECT_EQ(outcome.streamCalls, 0) << what;
    EXPECT_EQ(outcome.standInBlocksTaken, 0) << what;
    EXPECT_EQ(outcome.heapBlocksTaken, 0) << what;
}

// Ethanol, and a few indices past the set's inline words so that the host's
// sets take heap blocks too.
std::vector<uint32_t> baseMolecule(refMolecule_c& molecule) {
    for (int i = 0; i < 130; ++i) molecule.newGroup(16);
    std::vector<uint32_t> atoms;
    writeTest_n::ethanol().build(molecule, &atoms);
    return atoms;
}

TEST(writeRefusal, baseMoleculeIsWritten) {
    refMolecule_c molecule;
    baseMolecule(molecule);
    const outcome_c outcome = write(molecule, "SUCF");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.streamCalls, 3);
    EXPECT_EQ(outcome.standInBlocksTaken, 0);
    EXPECT_EQ(outcome.heapBlocksTaken, 0);
}

struct badCase_c {
    const char* name;
    std::function<void(refMolecule_c&, const std::vector<uint32_t>&)> spoil;
};

void PrintTo(const badCase_c& c, std::ostream* os) { *os << c.name; }

class badMolecule : public ::testing::TestWithParam<badCase_c> {};

TEST_P(badMolecule, refused) {
    refMolecule_c molecule;
    const std::vector<uint32_t> atoms = baseMolecule(molecule);
    GetParam().spoil(molecule, atoms);
    expectRefused(molecule, GetParam().name);
}

void setOrder(refMolecule_c& m, int32_t order) { m.bond(m.bondIndices().front())->setOrder(order); }
void setWedge(refMolecule_c& m, int32_t wedge) { m.bond(m.bondIndices().front())->setWedge(wedge); }

// A carbon with n hydrogens bonded to it.
void addHub(refMolecule_c& m, int n) {
    const uint32_t hub = m.newAtom("C");
    for (int i = 0; i < n; ++i) m.newBond(hub, m.newAtom("H"), 1);
}

template <class Exception>
void throwOn(refMolecule_c& m, const char* op, Exception e) {
    m.setHook([op, e](const refhost::hostCall_c& call) {
        if (std::strcmp(call.op, op) == 0) throw e;
    });
}

INSTANTIATE_TEST_SUITE_P(
    table, badMolecule,
    ::testing::Values(
        badCase_c{"bondOrder0", [](refMolecule_c& m, auto&) { setOrder(m, 0); }},
        badCase_c{"bondOrder4", [](refMolecule_c& m, auto&) { setOrder(m, 4); }},
        badCase_c{"wedge4", [](refMolecule_c& m, auto&) { setWedge(m, 4); }},
        badCase_c{"wedge5", [](refMolecule_c& m, auto&) { setWedge(m, 5); }},
        badCase_c{"wedge9", [](refMolecule_c& m, auto&) { setWedge(m, 9); }},
        badCase_c{"wedgeMinus1", [](refMolecule_c& m, auto&) { setWedge(m, -1); }},
        badCase_c{"wedge14", [](refMolecule_c& m, auto&) { setWedge(m, 14); }},
        badCase_c{"kind1", [](refMolecule_c& m, auto& a) { m.atom(a[1])->setKind(1); }},
        badCase_c{"kind3", [](refMolecule_c& m, auto& a) { m.atom(a[2])->setKind(3); }},
        badCase_c{"kindMinus1", [](refMolecule_c& m, auto& a) { m.atom(a[0])->setKind(-1); }},
        badCase_c{"missingAtom2D", [](refMolecule_c& m, auto&) { m.newMissingAtom(kindAtomExtra51); }},
        // The 3D test stops at the first 3D atom; the fill then meets the gap.
        badCase_c{"missingAtomAfter3D",
                  [](refMolecule_c& m, auto& a) {
                      m.atom(a[0])->place(0, 0, 1.5);
                      m.newMissingAtom();
                  }},
        badCase_c{"21neighbours", [](refMolecule_c& m, auto&) { addHub(m, 21); }},
        badCase_c{"6charSymbol", [](refMolecule_c& m, auto& a) { m.atom(a[2])->setSymbol("Abcdef"); }},
        badCase_c{"neighbourWithoutBond",
                  [](refMolecule_c& m, auto& a) { m.atom(a[0])->addPhantomNeighbour(a[2]); }},
        badCase_c{"neighbourNotAnAtom",
                  [](refMolecule_c& m, auto& a) { m.atom(a[1])->addPhantomNeighbour(m.newGroup(16)); }},
        badCase_c{"neighbourBeyondMolecule",
                  [](refMolecule_c& m, auto& a) { m.atom(a[1])->addPhantomNeighbour(100000); }},
        badCase_c{"hostThrowsTavrelException",
                  [](refMolecule_c& m, auto&) { throwOn(m, "charge", tavrelException_c{7}); }},
        badCase_c{"hostThrowsRuntimeError",
                  [](refMolecule_c& m, auto&) { throwOn(m, "order", std::runtime_error("host failure")); }},
        badCase_c{"hostThrowsInt", [](refMolecule_c& m, auto&) { throwOn(m, "objectsOfKind", 5); }},
        badCase_c{"hostThrowsInBondLookup",
                  [](refMolecule_c& m, auto&) { throwOn(m, "bondsOfAtom", tavrelException_c{1}); }}));

// The record limits hold exactly at the library's sizes.
TEST(atomTableLimits, twentyNeighboursAndFiveCharacterSymbolsFit) {
    refMolecule_c fits;
    addHub(fits, 20);
    fits.atom(fits.newAtom("Abcde"))->place(1, 1, 0);
    InChI_n::inputRecord_c record;
    EXPECT_NO_THROW(InChI_n::buildInputAtoms(fits, record.get(), false));
    EXPECT_EQ(record.get().atom[0].num_bonds, 20);
    EXPECT_STREQ(record.get().atom[21].elname, "Abcde");

    refMolecule_c crowded;
    addHub(crowded, 21);
    InChI_n::inputRecord_c refused;
    EXPECT_THROW(InChI_n::buildInputAtoms(crowded, refused.get(), false), InChI_n::badAtom_c);
    EXPECT_EQ(refused.get().atom, nullptr);
}

TEST(writeRefusal, streamThatThrows) {
    refMolecule_c molecule;
    baseMolecule(molecule);
    refhost::memoryOutStream_c out;
    out.setHook([](const refhost::hostCall_c& call) {
        if (std::strcmp(call.op, "writeLine") == 0) throw tavrelException_c{3};
    });
    const long standIn = TavrStandInLiveBlocks();
    EXPECT_EQ(TavrWrite(&molecule, &out, "", nullptr), 0);
    EXPECT_EQ(TavrStandInLiveBlocks(), standIn);
}

TEST(writeRefusal, nullMoleculeOrStreamMakesNoCall) {
    refMolecule_c molecule;
    baseMolecule(molecule);
    int hostCalls = 0;
    molecule.setHook([&](const refhost::hostCall_c&) { ++hostCalls; });
    fixedOutStream_c out;
    EXPECT_EQ(TavrWrite(nullptr, &out, "", nullptr), 0);
    EXPECT_EQ(TavrWrite(&molecule, nullptr, "", nullptr), 0);
    EXPECT_EQ(out.calls(), 0);
    EXPECT_EQ(hostCalls, 0);
}

// A write only reads the molecule, and never the fourth argument.
TEST(writeRefusal, successfulWriteChangesNothing) {
    refMolecule_c molecule;
    baseMolecule(molecule);
    const uint32_t objects = molecule.objectCount();
    std::vector<std::string> changes;
    molecule.setHook([&](const refhost::hostCall_c& call) {
        if (std::strncmp(call.op, "set", 3) == 0 || std::strncmp(call.op, "add", 3) == 0) changes.push_back(call.op);
    });
    fixedOutStream_c out;
    EXPECT_EQ(TavrWrite(&molecule, &out, "SUCF", reinterpret_cast<void*>(uintptr_t{1})), 1);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(molecule.objectCount(), objects);
}

// Every operator new of the write fails in turn: each failure answers 0 with
// the stream untouched and every block given back.
TEST(heapFailure, everyAllocationOfTheWrite) {
    if (!writeTest_n::heapReplacementActive()) GTEST_SKIP() << "operator new is not this executable's";
    refMolecule_c molecule;
    writeTest_n::halogenatedMethane(1).build(molecule);
    molecule.newGroup(12);
    long failures = 0;
    for (long nth = 1;; ++nth) {
        writeTest_n::failHeapAllocationAt(nth);
        const outcome_c outcome = write(molecule, "SUCF");
        const bool failed = !writeTest_n::heapFailurePending();
        writeTest_n::failHeapAllocationAt(0);
        if (!failed) {
            EXPECT_EQ(outcome.result, 1);
            break;
        }
        ++failures;
        EXPECT_EQ(outcome.result, 0) << "allocation " << nth;
        EXPECT_EQ(outcome.streamCalls, 0) << "allocation " << nth;
        EXPECT_EQ(outcome.heapBlocksTaken, 0) << "allocation " << nth;
        EXPECT_EQ(outcome.standInBlocksTaken, 0) << "allocation " << nth;
        ASSERT_LT(nth, 1000);
    }
    EXPECT_GT(failures, 5);
}

// The same for the host allocator behind the sets.
TEST(heapFailure, everyTavrNewMemoryOfTheWrite) {
    refMolecule_c molecule;
    baseMolecule(molecule);
    long failures = 0;
    for (long nth = 1;; ++nth) {
        const long before = TavrStandInAllocationCalls();
        TavrStandInFailAllocationAt(nth);
        const outcome_c outcome = write(molecule, "SUCF");
        const bool failed = TavrStandInAllocationCalls() - before >= nth;
        TavrStandInFailAllocationAt(0);
        if (!failed) {
            EXPECT_EQ(outcome.result, 1);
            break;
        }
        ++failures;
        EXPECT_EQ(outcome.result, 0) << "allocation " << nth;
        EXPECT_EQ(outcome.streamCalls, 0) << "allocation " << nth;
        EXPECT_EQ(outcome.standInBlocksTaken, 0) << "allocation " << nth;
        EXPECT_EQ(outcome.heapBlocksTaken, 0) << "allocation " << nth;
        ASSERT_LT(nth, 1000);
    }
    // The atom set and the scratch sets of the table each take a block once
    // (the scratch sets are refilled in place), and the sweep must reach them.
    EXPECT_GE(failures, 5);
}

// Counts the 16-bit num_atoms cannot hold are refused before any atom is
// asked for, so no record is ever written.
class tooManyAtoms : public ::testing::TestWithParam<uint32_t> {};

TEST_P(tooManyAtoms, refusedBeforeAnyRecord) {
    refMolecule_c molecule;
    for (uint32_t i = 0; i < GetParam(); ++i) molecule.newAtom("C");
    int atomQueries = 0;
    molecule.setHook([&](const refhost::hostCall_c& call) {
        if (std::strcmp(call.op, "atomAt") == 0) ++atomQueries;
    });
    expectRefused(molecule, std::to_string(GetParam()) + " atoms");
    EXPECT_EQ(atomQueries, 0);
}

INSTANTIATE_TEST_SUITE_P(counts, tooManyAtoms, ::testing::Values(32768u, 65536u, 65537u));

}  // namespace
