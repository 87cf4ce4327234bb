#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "corelib/standInControl.h"
#include "driver/entries.h"
#include "host/tavrelException_c.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"

namespace {

using refhost::attributeCall_c;
using refhost::hostCall_c;
using refhost::refAttributes_c;
using refhost::refMolecule_c;
using calls_t = std::vector<std::string>;

std::string describe(const hostCall_c& call) {
    std::string text = call.op;
    if (call.object != refhost::noObject) text += "@" + std::to_string(call.object);
    return text + "(" + std::to_string(call.arg0) + "," + std::to_string(call.arg1) + ")";
}

const std::string open65 = "openGroup(101,0)";
const std::string format = "setProperty(25857,1)";
const std::string kinds = "objectsOfKind(21,0)";
const std::string open10 = "openGroup(10,0)";
const std::string known = "setValue(2561,1)";
const std::string flat = "setValue(2562,0)";
const std::string threeD = "setValue(2562,1)";
std::string atomAt(uint32_t i) { return "atomAt(" + std::to_string(i) + ",0)"; }
std::string z(uint32_t i) { return "z3D@" + std::to_string(i) + "(0,0)"; }

uint32_t atomWithZ(refMolecule_c& molecule, double zValue, int32_t kind = kindAtom) {
    const uint32_t i = molecule.newAtom("C", kind);
    molecule.atom(i)->place(1.5, -2.0, zValue);
    return i;
}

// One pre-write against the reference host, every host call logged in order.
// A call the thrower picks is logged and then throws.
class preWriteRun_c {
public:
    preWriteRun_c() {
        auto hook = [this](const hostCall_c& call) {
            calls.push_back(describe(call));
            if (thrower) thrower(call);
        };
        molecule.setHook(hook);
        attributes.setHook(hook);
    }
    int run(TavrPreWriteFn entry = TavrPreWrite) { return entry(&attributes, &molecule, nullptr); }
    // The value declared for the 3D flag; -1 when it was not declared.
    int threeDFlag() const {
        for (const auto& c : attributes.calls())
            if (std::string(c.op) == "setValue" && c.key == 0x0A02) return c.value;
        return -1;
    }

    refMolecule_c molecule;
    refAttributes_c attributes;
    calls_t calls;
    std::function<void(const hostCall_c&)> thrower;
};

TEST(preWrite, withoutAttributeSetOrMoleculeAnswers16AndCallsNothing) {
    preWriteRun_c run;
    atomWithZ(run.molecule, 0);
    EXPECT_EQ(TavrPreWrite(nullptr, &run.molecule, nullptr), 16);
    EXPECT_EQ(TavrPreWrite(&run.attributes, nullptr, nullptr), 16);
    EXPECT_EQ(TavrPreWrite(nullptr, nullptr, nullptr), 16);
    EXPECT_TRUE(run.calls.empty());
    EXPECT_TRUE(run.attributes.calls().empty());
}

struct orderCase_c {
    const char* name;
    std::function<void(refMolecule_c&)> build;
    calls_t expected;
};

TEST(preWrite, callsTheHostInTheExactOrder) {
    const orderCase_c cases[] = {
        {"no atoms", [](refMolecule_c&) {}, {open65, format, kinds}},
        {"one flat atom: asked, but group 10 not declared",
         [](refMolecule_c& m) { atomWithZ(m, 0); },
         {open65, format, kinds, atomAt(0), z(0), z(0)}},
        {"one 3D atom", [](refMolecule_c& m) { atomWithZ(m, -1); }, {open65, format, kinds, atomAt(0), z(0)}},
        {"two flat atoms",
         [](refMolecule_c& m) { atomWithZ(m, 0); atomWithZ(m, 0); },
         {open65, format, kinds, atomAt(0), z(0), z(0), atomAt(1), z(1), z(1), open10, known, flat}},
        {"3D below at the lowest index: one atomAt, one z3D",
         [](refMolecule_c& m) { atomWithZ(m, -1); atomWithZ(m, 0); },
         {open65, format, kinds, atomAt(0), z(0), open10, known, threeD}},
        {"3D above at the lowest index: z3D asked twice",
         [](refMolecule_c& m) { atomWithZ(m, 1); atomWithZ(m, 0); },
         {open65, format, kinds, atomAt(0), z(0), z(0), open10, known, threeD}},
        {"a bond between the atoms; the walk stops at the first 3D atom",
         [](refMolecule_c& m) {
             const uint32_t a = atomWithZ(m, 0), b = atomWithZ(m, 0);
             m.newBond(a, b, 1);
             atomWithZ(m, -5);
             atomWithZ(m, 0);
         },
         {open65, format, kinds, atomAt(0), z(0), z(0), atomAt(1), z(1), z(1), atomAt(3), z(3), open10, known,
          threeD}},
        {"a missing atom is skipped but counted",
         [](refMolecule_c& m) { m.newMissingAtom(); atomWithZ(m, 0); },
         {open65, format, kinds, atomAt(0), atomAt(1), z(1), z(1), open10, known, flat}},
        {"a missing atom before a 3D one",
         [](refMolecule_c& m) { m.newMissingAtom(); atomWithZ(m, 2); },
         {open65, format, kinds, atomAt(0), atomAt(1), z(1), z(1), open10, known, threeD}},
        {"only missing atoms",
         [](refMolecule_c& m) { m.newMissingAtom(); m.newMissingAtom(); },
         {open65, format, kinds, atomAt(0), atomAt(1), open10, known, flat}},
        {"atoms of kinds 45 and 51 are neither asked nor counted",
         [](refMolecule_c& m) {
             atomWithZ(m, 9, kindAtomExtra45);
             atomWithZ(m, 0);
             atomWithZ(m, 9, kindAtomExtra51);
         },
         {open65, format, kinds, atomAt(1), z(1), z(1)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        preWriteRun_c run;
        c.build(run.molecule);
        EXPECT_EQ(run.run(), 1);
        EXPECT_EQ(run.calls, c.expected);
    }
}

struct zCase_c {
    const char* name;
    double z;
    bool threeD;
    int zCalls;
};

TEST(preWrite, zOnTheOpenIntervalBoundsAndBeyond) {
    const double bound = 1.1920928955078125e-07;  // 2^-23
    const double half = 5.9604644775390625e-08;   // 2^-24
    const double inf = std::numeric_limits<double>::infinity();
    const zCase_c cases[] = {
        {"+2^-23", bound, true, 2},
        {"-2^-23", -bound, true, 1},
        {"+2^-24", half, false, 2},
        {"-2^-24", -half, false, 2},
        {"just below +2^-23", std::nextafter(bound, 0.0), false, 2},
        {"just above -2^-23", std::nextafter(-bound, 0.0), false, 2},
        {"zero", 0.0, false, 2},
        {"negative zero", -0.0, false, 2},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), true, 1},
        {"+infinity", inf, true, 2},
        {"-infinity", -inf, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        preWriteRun_c run;
        atomWithZ(run.molecule, c.z);
        atomWithZ(run.molecule, 0);
        EXPECT_EQ(run.run(), 1);
        EXPECT_EQ(run.threeDFlag(), c.threeD ? 1 : 0);
        int zCalls = 0;
        for (const auto& call : run.calls) zCalls += call == z(0);
        EXPECT_EQ(zCalls, c.zCalls);
    }
}

struct statusCase_c {
    const char* name;
    std::function<uint32_t(const attributeCall_c&)> status;
    int expected;
};

bool is(const attributeCall_c& call, const char* op, int32_t key) { return std::string(call.op) == op && call.key == key; }

// A failed declaration marks the result 5 and stops nothing.
TEST(preWrite, failedDeclarationsAnswer5AndTheSequenceRunsToItsEnd) {
    const statusCase_c cases[] = {
        {"all succeed", [](const attributeCall_c&) { return 1u; }, 1},
        {"openGroup(0x65) fails", [](const attributeCall_c& c) { return is(c, "openGroup", 0x65) ? 0u : 1u; }, 5},
        {"setProperty fails", [](const attributeCall_c& c) { return is(c, "setProperty", 0x6501) ? 0u : 1u; }, 5},
        {"openGroup(10) fails", [](const attributeCall_c& c) { return is(c, "openGroup", 10) ? 0u : 1u; }, 5},
        {"the last setValue fails", [](const attributeCall_c& c) { return is(c, "setValue", 0x0A02) ? 0u : 1u; },
         5},
        {"bit 0 clear among other bits", [](const attributeCall_c&) { return 0xFFFFFFFEu; }, 5},
        {"bit 0 set among other bits", [](const attributeCall_c&) { return 0x80000003u; }, 1},
    };
    const calls_t everything = {open65, format, kinds, atomAt(0), z(0), z(0), atomAt(1), z(1), z(1),
                                open10, known,  flat};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        preWriteRun_c run;
        atomWithZ(run.molecule, 0);
        atomWithZ(run.molecule, 0);
        run.attributes.setStatus(c.status);
        EXPECT_EQ(run.run(), c.expected);
        EXPECT_EQ(run.calls, everything);
    }
}

struct richHostFailure_c : tavrelException_c {
    std::string detail;
};

struct throwCase_c {
    const char* name;
    std::string throwingCall;
    std::function<void()> raise;
    int expected;
};

// Any throw ends the sequence at once: nothing is called after the throwing
// call, a host exception's code replaces an earlier 5, anything else gives 16.
TEST(preWrite, aHostThrowEndsTheSequence) {
    const throwCase_c cases[] = {
        {"code 7 from atomAt", atomAt(0), [] { throw tavrelException_c{7}; }, 7},
        {"code 0", atomAt(0), [] { throw tavrelException_c{0}; }, 0},
        {"code 1", atomAt(0), [] { throw tavrelException_c{1}; }, 1},
        {"negative code", atomAt(0), [] { throw tavrelException_c{-3}; }, -3},
        {"code from openGroup(0x65)", open65, [] { throw tavrelException_c{2}; }, 2},
        {"code from objectsOfKind", kinds, [] { throw tavrelException_c{42}; }, 42},
        {"code of a derived host exception", threeD,
         [] { throw richHostFailure_c{{11}, "detail"}; }, 11},
        {"runtime_error from z3D", z(0), [] { throw std::runtime_error("z"); }, 16},
        {"an int from setValue", known, [] { throw 5; }, 16},
        {"bad_alloc from objectsOfKind", kinds, [] { throw std::bad_alloc(); }, 16},
    };
    const calls_t everything = {open65, format, kinds, atomAt(0), z(0), open10, known, threeD};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        preWriteRun_c run;
        atomWithZ(run.molecule, -1);
        atomWithZ(run.molecule, 0);
        run.attributes.setStatus([](const attributeCall_c& call) { return is(call, "openGroup", 0x65) ? 0u : 1u; });
        const std::string throwing = c.throwingCall;
        const auto raise = c.raise;
        run.thrower = [throwing, raise](const hostCall_c& call) {
            if (describe(call) == throwing) raise();
        };
        EXPECT_EQ(run.run(), c.expected);

        calls_t expected;
        for (const auto& call : everything) {
            expected.push_back(call);
            if (call == c.throwingCall) break;
        }
        EXPECT_EQ(run.calls, expected);
    }
}

// 200 atoms need a heap block; it goes back on the normal path, when a host
// call throws half way through the walk, and when the host cannot fill the set.
TEST(preWrite, theAtomSetIsReleasedOnEveryPath) {
    const long before = TavrStandInLiveBlocks();
    {
        preWriteRun_c run;
        for (int i = 0; i < 200; ++i) atomWithZ(run.molecule, 0);
        EXPECT_EQ(run.run(), 1);
        EXPECT_EQ(run.threeDFlag(), 0);
        EXPECT_EQ(TavrStandInLiveBlocks(), before);

        run.thrower = [](const hostCall_c& call) {
            if (describe(call) == atomAt(150)) throw tavrelException_c{3};
        };
        EXPECT_EQ(run.run(), 3);
        EXPECT_EQ(TavrStandInLiveBlocks(), before);

        run.thrower = nullptr;
        run.calls.clear();
        TavrStandInFailAllAllocations(1);
        const int result = run.run();
        TavrStandInFailAllAllocations(0);
        EXPECT_EQ(result, 16);
        EXPECT_EQ(run.calls, (calls_t{open65, format, kinds}));
        EXPECT_EQ(TavrStandInLiveBlocks(), before);
    }
}

// Through the built module, as a host would call it: the entry is exported and
// a host exception thrown from the host's side is still told apart by its code.
TEST(preWriteModule, exportedEntryAnswersAsTheLinkedOne) {
    void* module = dlopen(TAVR_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto entry = reinterpret_cast<TavrPreWriteFn>(dlsym(module, "TavrPreWrite"));
    ASSERT_NE(entry, nullptr);

    preWriteRun_c plain;
    atomWithZ(plain.molecule, 0);
    atomWithZ(plain.molecule, 3);
    EXPECT_EQ(plain.run(entry), 1);
    EXPECT_EQ(plain.calls, (calls_t{open65, format, kinds, atomAt(0), z(0), z(0), atomAt(1), z(1), z(1), open10,
                                    known, threeD}));

    preWriteRun_c failing;
    atomWithZ(failing.molecule, 0);
    failing.thrower = [](const hostCall_c& call) {
        if (describe(call) == z(0)) throw tavrelException_c{7};
    };
    EXPECT_EQ(failing.run(entry), 7);
    failing.thrower = [](const hostCall_c& call) {
        if (describe(call) == z(0)) throw std::runtime_error("host");
    };
    EXPECT_EQ(failing.run(entry), 16);
}

}  // namespace
