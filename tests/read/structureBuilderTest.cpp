// The structure builder on records made by hand: creation order, bonds listed
// twice, the stereo mapping, the exact host calls per atom, isotopes,
// radicals, hydrogen counts, host refusals and records the builder must not trust.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "driver/driverErrors.h"
#include "handRecords.h"
#include "hostCallLog.h"
#include "read/readErrors.h"
#include "read/structureBuilder.h"
#include "refhost/refMolecule.h"

using InChI_n::badBondType_c;
using InChI_n::Read_n::badData;
using InChI_n::Read_n::buildStructure;
using InChI_n::Read_n::inchiToHostStereo;
using readTest_n::bondEntry_c;
using readTest_n::handRecords_c;
using readTest_n::hostCallLog_c;
using refhost::refAtom_c;
using refhost::refBond_c;
using refhost::refMolecule_c;

namespace {

std::vector<std::string> symbolsInHostOrder(refMolecule_c& molecule) {
    std::vector<std::string> symbols;
    for (uint32_t index : molecule.indicesOfKind(kindAtom)) symbols.push_back(molecule.atom(index)->symbolText());
    return symbols;
}

// Each bond as "first-second:order" with the ends named by their symbols.
std::vector<std::string> bondsInHostOrder(refMolecule_c& molecule) {
    std::vector<std::string> bonds;
    for (uint32_t index : molecule.bondIndices()) {
        refBond_c* bond = molecule.bond(index);
        bonds.push_back(molecule.atom(bond->first())->symbolText() + "-" + molecule.atom(bond->second())->symbolText() +
                        ":" + std::to_string(bond->orderValue()));
    }
    return bonds;
}

refAtom_c& onlyAtomWith(refMolecule_c& molecule, const std::string& symbol) {
    for (uint32_t index : molecule.indicesOfKind(kindAtom))
        if (molecule.atom(index) && molecule.atom(index)->symbolText() == symbol) return *molecule.atom(index);
    throw std::runtime_error("no atom " + symbol);
}

}  // namespace

// Records 0..3 name 2, 3, 0, 1: atoms are made as the lists first reach them.
TEST(structureBuilder, makesAtomsInFirstReferenceOrder) {
    handRecords_c records;
    records.atom("C", {{2}}).atom("N", {{3}}).atom("O", {{0}}).atom("S", {{1}});
    refMolecule_c molecule;
    buildStructure(molecule, records.data());
    EXPECT_EQ(symbolsInHostOrder(molecule), (std::vector<std::string>{"C", "O", "N", "S"}));
    EXPECT_EQ(bondsInHostOrder(molecule), (std::vector<std::string>{"C-O:1", "N-S:1"}));
}

TEST(structureBuilder, makesABondListedByBothRecordsOnceFromTheLowerRecord) {
    handRecords_c records;
    records.atom("C", {{1, INCHI_BOND_TYPE_DOUBLE, INCHI_BOND_STEREO_DOUBLE_EITHER}})
        .atom("N", {{0, INCHI_BOND_TYPE_TRIPLE, INCHI_BOND_STEREO_SINGLE_1UP}});
    refMolecule_c molecule;
    buildStructure(molecule, records.data());
    ASSERT_EQ(bondsInHostOrder(molecule), std::vector<std::string>{"C-N:2"});
    refBond_c* bond = molecule.bond(molecule.bondIndices()[0]);
    EXPECT_EQ(bond->doubleStereoValue(), 3);
    EXPECT_EQ(bond->wedgeValue(), 0);
    EXPECT_EQ(bond->stereoFlagValue(), 0);
}

TEST(structureBuilder, aBondListedOnlyByTheHigherRecordRunsFromIt) {
    handRecords_c records;
    records.atom("C").atom("N", {{0, INCHI_BOND_TYPE_SINGLE, INCHI_BOND_STEREO_SINGLE_1DOWN}});
    refMolecule_c molecule;
    buildStructure(molecule, records.data());
    EXPECT_EQ(bondsInHostOrder(molecule), std::vector<std::string>{"N-C:1"});
    EXPECT_EQ(molecule.bond(molecule.bondIndices()[0])->wedgeValue(), 2);
}

TEST(structureBuilder, repeatedNeighbourEntriesMakeOneBond) {
    handRecords_c records;
    records.atom("C", {{1}, {1, INCHI_BOND_TYPE_DOUBLE}}).atom("O", {{0}, {0}});
    refMolecule_c molecule;
    buildStructure(molecule, records.data());
    EXPECT_EQ(bondsInHostOrder(molecule), std::vector<std::string>{"C-O:1"});
}

namespace {

constexpr int throwsBadBondType = -1;

struct stereoRow_c {
    int8_t type;
    int8_t stereo;
    int hostCode;  // throwsBadBondType when the code has no host mapping
};

const stereoRow_c stereoRows[] = {
    {2, INCHI_BOND_STEREO_NONE, 0},
    {2, INCHI_BOND_STEREO_DOUBLE_EITHER, 3},
    {2, INCHI_BOND_STEREO_SINGLE_1UP, throwsBadBondType},
    {2, INCHI_BOND_STEREO_SINGLE_1EITHER, throwsBadBondType},
    {2, INCHI_BOND_STEREO_SINGLE_1DOWN, throwsBadBondType},
    {2, INCHI_BOND_STEREO_SINGLE_2UP, throwsBadBondType},
    {2, INCHI_BOND_STEREO_SINGLE_2DOWN, throwsBadBondType},
    {2, 2, throwsBadBondType},
    {1, INCHI_BOND_STEREO_NONE, 0},
    {1, INCHI_BOND_STEREO_SINGLE_1UP, 1},
    {1, INCHI_BOND_STEREO_SINGLE_1DOWN, 2},
    {1, INCHI_BOND_STEREO_SINGLE_1EITHER, 3},
    {1, INCHI_BOND_STEREO_SINGLE_2UP, 6},
    {1, INCHI_BOND_STEREO_SINGLE_2DOWN, 7},
    {1, INCHI_BOND_STEREO_SINGLE_2EITHER, 8},
    {3, INCHI_BOND_STEREO_SINGLE_1UP, 1},
    {3, INCHI_BOND_STEREO_SINGLE_2EITHER, 8},
    {4, INCHI_BOND_STEREO_SINGLE_1DOWN, 2},
    {0, INCHI_BOND_STEREO_SINGLE_2DOWN, 7},
    {1, INCHI_BOND_STEREO_DOUBLE_EITHER, throwsBadBondType},
    {1, 2, throwsBadBondType},
    {1, 5, throwsBadBondType},
    {1, -2, throwsBadBondType},
    {1, -3, throwsBadBondType},
    {1, -5, throwsBadBondType},
    {1, 7, throwsBadBondType},
    {1, 127, throwsBadBondType},
    {3, -128, throwsBadBondType},
};

class stereoTable : public testing::TestWithParam<std::tuple<stereoRow_c, int>> {};

void PrintTo(const stereoRow_c& row, std::ostream* out) {
    *out << "type " << int(row.type) << " stereo " << int(row.stereo);
}

}  // namespace

TEST_P(stereoTable, mapsTheLibraryCodeOntoTheBond) {
    const stereoRow_c row = std::get<0>(GetParam());
    const int chiralMark = std::get<1>(GetParam());
    handRecords_c records;
    records.atom("C", {{1, row.type, row.stereo}}).atom("C");
    refMolecule_c molecule;
    hostCallLog_c log;
    molecule.setHook(log.hook());

    if (row.hostCode == throwsBadBondType) {
        EXPECT_THROW(inchiToHostStereo(row.stereo, row.type), badBondType_c);
        EXPECT_THROW(buildStructure(molecule, records.data(chiralMark)), badBondType_c);
        // The bond stays, with its order and without any stereo.
        ASSERT_EQ(molecule.bondIndices().size(), 1u);
        EXPECT_EQ(molecule.bond(molecule.bondIndices()[0])->orderValue(), row.type);
        EXPECT_EQ(log.count("setOrder"), 1u);
        EXPECT_EQ(log.count("setWedge") + log.count("setDoubleStereo") + log.count("setStereoFlag"), 0u);
        return;
    }
    EXPECT_EQ(inchiToHostStereo(row.stereo, row.type), row.hostCode);
    buildStructure(molecule, records.data(chiralMark));
    ASSERT_EQ(molecule.bondIndices().size(), 1u);
    refBond_c* bond = molecule.bond(molecule.bondIndices()[0]);
    EXPECT_EQ(bond->orderValue(), row.type);
    if (row.type == 2) {
        EXPECT_EQ(bond->doubleStereoValue(), row.hostCode);
        EXPECT_EQ(log.count("setDoubleStereo"), 1u);
        EXPECT_EQ(log.count("setWedge") + log.count("setStereoFlag"), 0u);
        return;
    }
    EXPECT_EQ(log.count("setWedge"), 1u) << "setWedge is made also for code 0";
    EXPECT_EQ(bond->wedgeValue(), row.hostCode);
    EXPECT_EQ(log.count("setDoubleStereo"), 0u);
    const bool flagged = row.hostCode != 0 && chiralMark != 1;
    EXPECT_EQ(log.count("setStereoFlag"), flagged ? 1u : 0u);
    EXPECT_EQ(bond->stereoFlagValue(), flagged ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(everyRow, stereoTable,
                         testing::Combine(testing::ValuesIn(stereoRows), testing::Values(0, 1, 2)));

// The order of host calls for one record and the neighbour it creates.
TEST(structureBuilder, callsTheHostInTheOrderOfTheRecord) {
    handRecords_c records;
    records.atom("C", {{1, INCHI_BOND_TYPE_SINGLE, INCHI_BOND_STEREO_SINGLE_1UP}}).atom("O", {{0}});
    inchi_Atom& carbon = records.record(0);
    carbon.x = 0.5;
    carbon.y = -2.25;
    carbon.z = 0;
    carbon.charge = -1;
    carbon.radical = INCHI_RADICAL_TRIPLET;
    carbon.isotopic_mass = ISOTOPIC_SHIFT_FLAG + 1;
    carbon.num_iso_H[0] = 1;
    carbon.num_iso_H[1] = 2;
    carbon.num_iso_H[2] = 3;
    carbon.num_iso_H[3] = 4;
    refMolecule_c molecule;
    const std::string owner = std::to_string(molecule.ownerHandle(-1));
    hostCallLog_c log;
    molecule.setHook(log.hook());
    buildStructure(molecule, records.data());

    // Atom 0 is C, atom 1 is O, bond 2 joins them.
    const std::vector<std::string> expected = {
        "ownerHandle -1 0",
        "addAtom " + owner + " -1", "atomAt 0 0",
        "setX 0 0.5", "setY 0 -2.25", "setZ 0 0",
        "addAtom " + owner + " -1", "atomAt 1 0",
        "relatedSet 1 22 0", "relatedSet 0 22 0",
        "index 0 0 0", "index 1 0 0",
        "addBond 0 1", "bondAt 2 0",
        "setOrder 2 1 0", "setWedge 2 1 0", "setStereoFlag 2 2 0",
        "setSymbol 0 0 0", "setCharge 0 -1 0",
        "setMultiplicity 0 3 0", "setCount 0 16 2",
        "atomicNumber 0 0 0", "setIsotopeMass 0 13 0",
        "setCount 0 5 2", "setCount 0 8 3", "setCount 0 11 4", "setCount 0 2 1",
        // Record 1: its atom is known, its bond entry finds the shared bond.
        "setX 1 0", "setY 1 0", "setZ 1 0",
        "relatedSet 0 22 0", "relatedSet 1 22 0",
        "setSymbol 1 0 0", "setCharge 1 0 0", "setIsotopeMass 1 0 0",
        "setCount 1 5 0", "setCount 1 8 0", "setCount 1 11 0", "setCount 1 2 0",
    };
    EXPECT_EQ(log.lines(), expected);
}

TEST(structureBuilder, anEmptyRecordSetOnlyAsksForTheOwner) {
    handRecords_c records;
    refMolecule_c molecule;
    hostCallLog_c log;
    molecule.setHook(log.hook());
    buildStructure(molecule, records.data());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"ownerHandle -1 0"});
    EXPECT_EQ(molecule.objectCount(), 0u);
}

TEST(structureBuilder, anAtomWithoutBondsGetsEveryAttributeAndNoBondCall) {
    handRecords_c records;
    records.atom("Cl");
    records.record(0).charge = -1;
    records.record(0).x = 0.1;
    records.record(0).z = -3;
    refMolecule_c molecule;
    hostCallLog_c log;
    molecule.setHook(log.hook());
    buildStructure(molecule, records.data());
    EXPECT_EQ(log.count("relatedSet") + log.count("addBond"), 0u);
    refAtom_c& chlorine = onlyAtomWith(molecule, "Cl");
    EXPECT_EQ(chlorine.chargeValue(), -1);
    // Single precision on the way in: the nearest float to 0.1, not 0.1 itself.
    EXPECT_EQ(chlorine.x(), static_cast<double>(0.1f));
    EXPECT_EQ(chlorine.y(), 0.0);
    EXPECT_EQ(chlorine.z(), -3.0);
}

namespace {

struct isotopeCase_c {
    const char* element;
    int16_t recorded;
    int32_t hostMass;
    bool asksAtomicNumber;
};

// Average masses of the stand-in core library: C 12.011, Br 79.904.
const isotopeCase_c isotopeCases[] = {
    {"C", 0, 0, false},           {"C", 13, 13, false},
    {"C", 9899, 9899, false},     {"C", 9900, -88, true},
    {"C", 10000, 12, true},       {"C", 10001, 13, true},
    {"C", 10100, 112, true},      {"C", 10101, 10101, false},
    {"Br", 10000, 79, true},      {"Br", 10002, 81, true},
    {"Br", 9999, 78, true},       {"C", -31073, -31073, false},
};

class isotopeTable : public testing::TestWithParam<isotopeCase_c> {};

void PrintTo(const isotopeCase_c& c, std::ostream* out) { *out << c.element << " " << c.recorded; }

}  // namespace

TEST_P(isotopeTable, turnsAShiftIntoTheMassNumber) {
    const isotopeCase_c& c = GetParam();
    handRecords_c records;
    records.atom(c.element);
    records.record(0).isotopic_mass = c.recorded;
    refMolecule_c molecule;
    hostCallLog_c log;
    molecule.setHook(log.hook());
    buildStructure(molecule, records.data());
    EXPECT_EQ(onlyAtomWith(molecule, c.element).isotopeValue(), c.hostMass);
    EXPECT_EQ(log.count("setIsotopeMass"), 1u);
    EXPECT_EQ(log.count("atomicNumber"), c.asksAtomicNumber ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(shifts, isotopeTable, testing::ValuesIn(isotopeCases));

TEST(structureBuilder, radicalsSetMultiplicityAndElectronCount) {
    struct radicalCase_c {
        int8_t radical;
        std::vector<std::string> calls;
    };
    const radicalCase_c cases[] = {
        {INCHI_RADICAL_NONE, {}},
        {INCHI_RADICAL_SINGLET, {"setMultiplicity 0 1 0", "setCount 0 16 2"}},
        {INCHI_RADICAL_DOUBLET, {"setCount 0 16 1"}},
        {INCHI_RADICAL_TRIPLET, {"setMultiplicity 0 3 0", "setCount 0 16 2"}},
        {4, {}},
        {-1, {}},
    };
    for (const radicalCase_c& c : cases) {
        handRecords_c records;
        records.atom("C");
        records.record(0).radical = c.radical;
        refMolecule_c molecule;
        hostCallLog_c log;
        molecule.setHook(log.hook());
        buildStructure(molecule, records.data());
        std::vector<std::string> radicalCalls;
        for (const std::string& line : log.lines())
            if (line.rfind("setMultiplicity", 0) == 0 || line.rfind("setCount 0 16 ", 0) == 0)
                radicalCalls.push_back(line);
        EXPECT_EQ(radicalCalls, c.calls) << "radical " << int(c.radical);
    }
}

TEST(structureBuilder, passesHydrogenCountsUnchangedNegativeOnesIncluded) {
    handRecords_c records;
    records.atom("N");
    records.record(0).num_iso_H[0] = -1;
    records.record(0).num_iso_H[1] = 1;
    records.record(0).num_iso_H[2] = -2;
    records.record(0).num_iso_H[3] = 127;
    refMolecule_c molecule;
    buildStructure(molecule, records.data());
    refAtom_c& nitrogen = onlyAtomWith(molecule, "N");
    EXPECT_EQ(nitrogen.countValue(countImplicitH), -1);
    EXPECT_EQ(nitrogen.countValue(countImplicit1H), 1);
    EXPECT_EQ(nitrogen.countValue(countImplicit2H), -2);
    EXPECT_EQ(nitrogen.countValue(countImplicit3H), 127);
}

// The host answers null for the first atom it makes: that record is skipped,
// and the other record's entry naming it neither makes a bond nor a new atom.
TEST(structureBuilder, aMissingAtomIsRememberedAndGetsNothing) {
    handRecords_c records;
    records.atom("C", {{1}}).atom("O", {{0}});
    refMolecule_c molecule;
    int atomsAsked = 0;
    molecule.setHook([&](const refhost::hostCall_c& call) {
        if (std::string(call.op) == "addAtom") molecule.setAddYieldsMissing(++atomsAsked == 1, false);
    });
    buildStructure(molecule, records.data());
    EXPECT_EQ(atomsAsked, 2);
    EXPECT_TRUE(molecule.bondIndices().empty());
    ASSERT_EQ(molecule.indicesOfKind(kindAtom).size(), 2u);
    EXPECT_EQ(molecule.atom(molecule.indicesOfKind(kindAtom)[0]), nullptr);
    EXPECT_EQ(onlyAtomWith(molecule, "O").symbolText(), "O");
}

TEST(structureBuilder, aMissingBondSkipsItsEntry) {
    handRecords_c records;
    records.atom("C", {{1, INCHI_BOND_TYPE_SINGLE, 99}}).atom("O");
    refMolecule_c molecule;
    molecule.setAddYieldsMissing(false, true);
    hostCallLog_c log;
    molecule.setHook(log.hook());
    buildStructure(molecule, records.data());
    EXPECT_EQ(log.count("addBond"), 1u);
    EXPECT_EQ(log.count("setOrder") + log.count("setWedge"), 0u);
    EXPECT_EQ(onlyAtomWith(molecule, "O").symbolText(), "O");
}

// A stereo code without mapping on the second record's bond: what was made
// before stays, the failing bond with its order, the neighbour it created
// without attributes, and the second record without its own attributes.
TEST(structureBuilder, anUnmappedCodeLeavesThePartialBuild) {
    handRecords_c records;
    records.atom("C", {{1}})
        .atom("N", {{0}, {2, INCHI_BOND_TYPE_SINGLE, INCHI_BOND_STEREO_DOUBLE_EITHER}})
        .atom("O", {{1}});
    records.record(0).charge = 1;
    records.record(1).x = 4;
    refMolecule_c molecule;
    EXPECT_THROW(buildStructure(molecule, records.data()), badBondType_c);

    const std::vector<uint32_t>& atoms = molecule.indicesOfKind(kindAtom);
    ASSERT_EQ(atoms.size(), 3u);
    EXPECT_EQ(molecule.atom(atoms[0])->symbolText(), "C");
    EXPECT_EQ(molecule.atom(atoms[0])->chargeValue(), 1);
    EXPECT_EQ(molecule.atom(atoms[1])->symbolText(), "");
    EXPECT_EQ(molecule.atom(atoms[1])->x(), 4.0);
    EXPECT_EQ(molecule.atom(atoms[2])->symbolText(), "");
    ASSERT_EQ(molecule.bondIndices().size(), 2u);
    refBond_c* failing = molecule.bond(molecule.bondIndices()[1]);
    EXPECT_EQ(failing->first(), atoms[1]);
    EXPECT_EQ(failing->second(), atoms[2]);
    EXPECT_EQ(failing->orderValue(), 1);
    EXPECT_EQ(failing->wedgeValue(), 0);
}

// The library's parser lets neighbour -1 (a bond to atom "0") and self-bonds
// through; such records are refused before the molecule is touched.
TEST(structureBuilder, refusesRecordsItCannotTrustBeforeMakingAnything) {
    struct untrusted_c {
        const char* what;
        void (*spoil)(handRecords_c&);
    };
    const untrusted_c cases[] = {
        {"neighbour -1", [](handRecords_c& r) { r.record(1).neighbor[0] = -1; }},
        {"neighbour past the last record", [](handRecords_c& r) { r.record(1).neighbor[0] = 3; }},
        {"neighbour far past the array", [](handRecords_c& r) { r.record(0).neighbor[0] = 32767; }},
        {"bond to itself", [](handRecords_c& r) { r.record(2).neighbor[0] = 2; }},
        {"more than MAXVAL neighbours", [](handRecords_c& r) { r.record(2).num_bonds = MAXVAL + 1; }},
        {"empty element name", [](handRecords_c& r) { r.record(2).elname[0] = '\0'; }},
        {"element name without terminator",
         [](handRecords_c& r) { std::memset(r.record(1).elname, 'X', ATOM_EL_LEN); }},
    };
    for (const untrusted_c& c : cases) {
        handRecords_c records;
        records.atom("C", {{1}}).atom("C", {{0}, {2}}).atom("C", {{1}});
        c.spoil(records);
        refMolecule_c molecule;
        EXPECT_THROW(buildStructure(molecule, records.data()), badData) << c.what;
        EXPECT_EQ(molecule.objectCount(), 0u) << c.what;
    }
}

TEST(structureBuilder, acceptsMaxvalNeighboursAndNegativeBondCounts) {
    handRecords_c records;
    records.atom("C");
    for (int16_t i = 1; i <= MAXVAL; ++i) records.atom("H", {{0}});
    records.atom("O");
    records.record(MAXVAL + 1).num_bonds = -1;
    for (int16_t j = 0; j < MAXVAL; ++j) {
        records.record(0).neighbor[j] = static_cast<AT_NUM>(j + 1);
        records.record(0).bond_type[j] = INCHI_BOND_TYPE_SINGLE;
    }
    records.record(0).num_bonds = MAXVAL;
    refMolecule_c molecule;
    buildStructure(molecule, records.data());
    EXPECT_EQ(molecule.bondIndices().size(), static_cast<size_t>(MAXVAL));
    EXPECT_EQ(molecule.indicesOfKind(kindAtom).size(), static_cast<size_t>(MAXVAL + 2));
}
