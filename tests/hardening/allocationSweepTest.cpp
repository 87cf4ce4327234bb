// Allocation failure, everywhere it can happen: for each sample molecule the
// k-th allocation of a TavrWrite and of a TavrRead is made to fail, for k = 1,
// 2, ... until the call completes without reaching the k-th allocation. Both
// heaps are swept: the core library's TavrNewMemory (the driver's sets and the
// host's set storage) and operator new (texts, maps, record arrays, and the
// host molecule's own growth during a read). Every call must answer 0 or 1,
// give back every block, and leave the molecule as the driver promises: a
// write never changes it, and a failed read keeps what it built so far and
// declares nothing. A call that answers 1 despite a failure must still have
// done the whole work.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "corelib/standInControl.h"
#include "driver/entries.h"
#include "failingHeap.h"
#include "heapFreeHost.h"
#include "moleculeSnapshot.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"
#include "sampleMolecules.h"

namespace {

using hardening_n::heapFreeAttributes_c;
using hardening_n::heapFreeOutStream_c;
using refhost::refMolecule_c;

enum class heap_e { coreLibrary, operatorNew };

// One armed failure: the k-th allocation from the chosen heap fails.
class armedFailure_c {
public:
    armedFailure_c(heap_e heap, long k) : heap_(heap), k_(k), callsBefore_(TavrStandInAllocationCalls()) {
        if (heap_ == heap_e::coreLibrary)
            TavrStandInFailAllocationAt(k_);
        else
            writeTest_n::failHeapAllocationAt(k_);
    }
    // Disarms; true when the k-th allocation was reached (and so failed).
    bool disarm() {
        if (heap_ == heap_e::coreLibrary) {
            TavrStandInFailAllocationAt(0);
            return TavrStandInAllocationCalls() - callsBefore_ >= k_;
        }
        const bool reached = !writeTest_n::heapFailurePending();
        writeTest_n::failHeapAllocationAt(0);
        return reached;
    }

private:
    heap_e heap_;
    long k_;
    long callsBefore_;
};

struct heapCounts_c {
    long coreLibrary = TavrStandInLiveBlocks();
    long operatorNew = writeTest_n::liveHeapBlocks();
};

// Blocks taken since `before` and not given back, over both heaps.
long blocksTakenSince(const heapCounts_c& before) {
    const heapCounts_c now;
    return (now.coreLibrary - before.coreLibrary) + (now.operatorNew - before.operatorNew);
}

// Room for the texts of one outcome, reserved before the heap is counted, so
// that filling them in changes no block count.
std::string roomForText() {
    std::string text;
    text.reserve(256 * 1024);
    return text;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text;
}

struct writeOutcome_c {
    int result = -1;
    bool failed = false;  // the k-th allocation was reached
    long blocksKept = 0;
    int streamCalls = 0;
    std::string text = roomForText();
    std::string molecule = roomForText();
};

writeOutcome_c writeOnce(refMolecule_c& molecule, heap_e heap, long k) {
    writeOutcome_c outcome;
    const heapCounts_c before;
    {
        heapFreeOutStream_c out;
        armedFailure_c failure(heap, k);
        outcome.result = TavrWrite(&molecule, &out, "SUCF", nullptr);
        outcome.failed = failure.disarm();
        outcome.streamCalls = out.calls();
        outcome.text = out.text();
        outcome.molecule = hardening_n::snapshot(molecule);
    }
    outcome.blocksKept = blocksTakenSince(before);
    return outcome;
}

struct readOutcome_c {
    int result = -1;
    bool failed = false;
    long blocksKept = 0;
    std::string attributes = roomForText();
    std::string molecule = roomForText();
    std::string shapes = roomForText();  // objectShapes, one per line
};

// The molecule and the stream live inside the counted span, so that whatever
// the host or the driver took for the read must be back when they are gone.
readOutcome_c readOnce(const std::string& input, heap_e heap, long k) {
    readOutcome_c outcome;
    const heapCounts_c before;
    {
        refMolecule_c molecule;
        refhost::memoryInStream_c in(input);
        heapFreeAttributes_c attributes;
        armedFailure_c failure(heap, k);
        outcome.result = TavrRead(&molecule, &in, &attributes, "", nullptr);
        outcome.failed = failure.disarm();
        outcome.attributes = attributes.text();
        outcome.molecule = hardening_n::snapshot(molecule);
        outcome.shapes = joined(hardening_n::objectShapes(molecule));
    }
    outcome.blocksKept = blocksTakenSince(before);
    return outcome;
}

const std::vector<hardening_n::sampleMolecule_c>& molecules() {
    static const std::vector<hardening_n::sampleMolecule_c> all = hardening_n::sampleMolecules();
    return all;
}

// The sweeps stop long before this; reaching it means a call never completes.
constexpr long sweepLimit = 200000;

class allocationSweep : public ::testing::TestWithParam<std::tuple<size_t, heap_e>> {
protected:
    void SetUp() override {
        if (heap() == heap_e::operatorNew && !writeTest_n::heapReplacementActive())
            GTEST_SKIP() << "a tool (sanitizer or valgrind) owns operator new here";
        molecules()[std::get<0>(GetParam())].build(molecule_);
    }
    heap_e heap() const { return std::get<1>(GetParam()); }
    void report(long points) {
        RecordProperty("allocationPoints", static_cast<int>(points));
        std::printf("[  SWEPT   ] %s: %ld allocation points\n",
                    ::testing::UnitTest::GetInstance()->current_test_info()->name(), points);
    }

    refMolecule_c molecule_;
};

TEST_P(allocationSweep, write) {
    const writeOutcome_c clean = writeOnce(molecule_, heap(), 0);
    ASSERT_EQ(clean.result, 1);
    ASSERT_EQ(clean.blocksKept, 0);
    long k = 1;
    for (; k < sweepLimit; ++k) {
        const writeOutcome_c outcome = writeOnce(molecule_, heap(), k);
        SCOPED_TRACE("allocation " + std::to_string(k));
        EXPECT_TRUE(outcome.result == 0 || outcome.result == 1) << outcome.result;
        EXPECT_EQ(outcome.blocksKept, 0);
        EXPECT_EQ(outcome.molecule, clean.molecule) << "a write changed the molecule";
        if (outcome.result == 1) {
            EXPECT_EQ(outcome.text, clean.text);
        } else {
            // Both texts are made before the first stream call.
            EXPECT_EQ(outcome.streamCalls, 0);
        }
        if (!outcome.failed) {
            EXPECT_EQ(outcome.result, 1);
            break;
        }
        if (HasFailure()) break;
    }
    ASSERT_LT(k, sweepLimit);
    report(k - 1);
}

TEST_P(allocationSweep, read) {
    // The text a read takes: the InChI and AuxInfo this molecule is written as.
    const writeOutcome_c written = writeOnce(molecule_, heap(), 0);
    ASSERT_EQ(written.result, 1);
    const readOutcome_c clean = readOnce(written.text, heap(), 0);
    ASSERT_EQ(clean.result, 1);
    ASSERT_EQ(clean.blocksKept, 0);
    ASSERT_EQ(clean.attributes, "g10 v2561=1");
    long k = 1;
    for (; k < sweepLimit; ++k) {
        const readOutcome_c outcome = readOnce(written.text, heap(), k);
        SCOPED_TRACE("allocation " + std::to_string(k));
        EXPECT_TRUE(outcome.result == 0 || outcome.result == 1) << outcome.result;
        EXPECT_EQ(outcome.blocksKept, 0);
        if (outcome.result == 1) {
            EXPECT_EQ(outcome.molecule, clean.molecule);
            EXPECT_EQ(outcome.attributes, clean.attributes);
        } else {
            EXPECT_EQ(outcome.attributes, "") << "a failed read declared an attribute";
            // What was built so far: the objects of the complete read, made in
            // the same order, up to where the failure stopped it.
            EXPECT_EQ(clean.shapes.compare(0, outcome.shapes.size(), outcome.shapes), 0)
                << "built:\n" << outcome.shapes;
        }
        if (!outcome.failed) {
            EXPECT_EQ(outcome.result, 1);
            break;
        }
        if (HasFailure()) break;
    }
    ASSERT_LT(k, sweepLimit);
    report(k - 1);
}

TEST(allocationSweepMolecules, chainOutgrowsTheInlineSetWords) {
    refMolecule_c molecule;
    molecules().back().build(molecule);
    EXPECT_GT(molecule.indicesOfKind(kindAtom).size(), 128u);
}

std::string caseName(const ::testing::TestParamInfo<allocationSweep::ParamType>& info) {
    const char* heap = std::get<1>(info.param) == heap_e::coreLibrary ? "TavrNewMemory" : "operatorNew";
    return molecules()[std::get<0>(info.param)].name + "_" + heap;
}

INSTANTIATE_TEST_SUITE_P(samples, allocationSweep,
                         ::testing::Combine(::testing::Range<size_t>(0, molecules().size()),
                                            ::testing::Values(heap_e::coreLibrary, heap_e::operatorNew)),
                         caseName);

}  // namespace
