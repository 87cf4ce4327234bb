// TavrWrite against the real InChI library: each structure is built in the
// reference host and written as a molfile, and what the driver writes must
// equal what the reference executable inchi_main prints for that molfile.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "driver/entries.h"
#include "libraryCallWatch.h"
#include "inchiMain.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"
#include "testStructure.h"

namespace {

using namespace writeTest_n;
using namespace libraryWatch_n;
using inchiMain_n::referenceRecord_c;

// inchi_main on the molfile as an SD file of one record: that record, or empty
// texts unless it gave exactly one structure's InChI.
referenceRecord_c referenceInchi(const std::string& molfile, const std::vector<std::string>& options = {}) {
    const std::vector<referenceRecord_c> records = inchiMain_n::runInchiMainOnText(molfile + "$$$$\n", options);
    return records.size() == 1 ? records[0] : referenceRecord_c{};
}

// The 'n' after the atom count of the AuxInfo's /rA: layer tells that the
// caller gave every atom's implicit hydrogens. inchi_main's molfile reader
// always does; the driver lets the library add them unless the atom has a
// valence, so the flag says where the counts came from, not what they are.
std::string withoutHydrogenSource(std::string text) {
    const size_t layer = text.find("/rA:");
    if (layer == std::string::npos) return text;
    size_t end = layer + 4;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end < text.size() && text[end] == 'n') text.erase(end, 1);
    return text;
}

struct written_c {
    int result;
    std::string text;
};

written_c writeThroughDriver(refhost::refMolecule_c& molecule, const char* options) {
    refhost::memoryOutStream_c out;
    const int result = TavrWrite(&molecule, &out, options, nullptr);
    return {result, withoutHydrogenSource(out.text())};
}

written_c writeThroughDriver(const testStructure_c& structure, const char* options) {
    refhost::refMolecule_c molecule;
    structure.build(molecule);
    return writeThroughDriver(molecule, options);
}

// What the stream holds after a write with AuxInfo: the InChI text, a line
// end, the AuxInfo text and its line end.
std::string withAuxInfo(const referenceRecord_c& reference) {
    return reference.inchi + "\n" + withoutHydrogenSource(reference.auxInfo) + "\n";
}

bool librarySucceeded(int code) { return code == inchi_Ret_OKAY || code == inchi_Ret_WARNING; }

class libraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!inchiMain_n::inchiMainAvailable()) GTEST_SKIP() << "inchi_main is not installed";
        resetLibraryCalls();
    }

    // The driver's output for the structure equals inchi_main's, and the
    // library reported success.
    void expectLikeReference(const testStructure_c& structure, const char* driverOptions,
                             const std::vector<std::string>& referenceOptions) {
        const referenceRecord_c reference = referenceInchi(structure.molfile(), referenceOptions);
        ASSERT_FALSE(reference.inchi.empty()) << structure.molfile();
        const written_c written = writeThroughDriver(structure, driverOptions);
        EXPECT_EQ(written.result, 1);
        EXPECT_EQ(written.text, withAuxInfo(reference)) << structure.molfile();
        EXPECT_TRUE(librarySucceeded(libraryCalls().lastIdentifierCode));
    }
};

TEST_F(libraryTest, ethanol) {
    expectLikeReference(ethanol(), nullptr, {});
    expectLikeReference(ethanol(), "", {});
}

// One stereocentre, its wedge described from either end of the bond.
class wedgeTest : public libraryTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(wedgeTest, stereocentreLikeReference) {
    const testStructure_c structure = halogenatedMethane(GetParam());
    expectLikeReference(structure, "", {});
    // Up and down define the centre; 'either' leaves it undefined, and omitted.
    const bool either = GetParam() == 3 || GetParam() == 8;
    EXPECT_EQ(writeThroughDriver(structure, "").text.find("/t1") != std::string::npos, !either);
}

INSTANTIATE_TEST_SUITE_P(codes, wedgeTest, ::testing::Values(1, 2, 3, 6, 7, 8, 12, 13));

TEST_F(libraryTest, wedgeSeenFromEitherEndGivesOneIdentifier) {
    EXPECT_EQ(writeThroughDriver(halogenatedMethane(1), "").text, writeThroughDriver(halogenatedMethane(6), "").text);
    EXPECT_EQ(writeThroughDriver(halogenatedMethane(2), "").text, writeThroughDriver(halogenatedMethane(7), "").text);
    EXPECT_NE(writeThroughDriver(halogenatedMethane(1), "").text, writeThroughDriver(halogenatedMethane(2), "").text);
}

testStructure_c transButene(int32_t doubleStereo) {
    testStructure_c s;
    s.atom("C", 0, 0).atom("C", 1.299, 0.75).atom("C", 2.598, 0).atom("C", 3.897, 0.75);
    s.bond(0, 1).bond(1, 2, 2).bond(2, 3);
    s.bonds[1].doubleStereo = doubleStereo;
    return s;
}

TEST_F(libraryTest, cisTransDoubleBond) {
    expectLikeReference(transButene(0), "", {});
    EXPECT_NE(writeThroughDriver(transButene(0), "").text.find("/b4-3+"), std::string::npos);
    // 'Either' leaves the geometry undefined: no /b layer.
    expectLikeReference(transButene(3), "", {});
    EXPECT_EQ(writeThroughDriver(transButene(3), "").text.find("/b"), std::string::npos);
}

TEST_F(libraryTest, isotopesAndCharges) {
    testStructure_c labelled = ethanol();
    labelled.atoms[0].isotopeMass = 13;
    labelled.atoms[2].isotopeMass = 18;
    expectLikeReference(labelled, "", {});

    testStructure_c acetate;
    acetate.atom("C", 0, 0).atom("C", 1.299, 0.75).atom("O", 1.299, 2.25).atom("O", 2.598, 0);
    acetate.bond(0, 1).bond(1, 2, 2).bond(1, 3);
    acetate.atoms[3].charge = -1;
    expectLikeReference(acetate, "", {});

    testStructure_c ammonium;
    ammonium.atom("N", 0, 0);
    ammonium.atoms[0].charge = 1;
    expectLikeReference(ammonium, "", {});
}

TEST_F(libraryTest, radicals) {
    for (radical_e radical : {radical_e::doublet, radical_e::singlet, radical_e::triplet}) {
        testStructure_c s = ethanol();
        s.atoms[0].radical = radical;
        expectLikeReference(s, "", {});
    }
}

TEST_F(libraryTest, threeDMolecule) {
    testStructure_c s;
    s.atom("C", 0, 0, 0).atom("F", 0, 0, 1.5).atom("Cl", 1.4, 0, -0.5).atom("Br", -0.7, 1.2, -0.5);
    s.bond(0, 1).bond(0, 2).bond(0, 3);
    expectLikeReference(s, "", {});
    s.atoms[3].x = -0.7;
    s.atoms[3].y = -1.2;
    expectLikeReference(s, "", {});
}

// At the bound the molecule counts as 3D and the library gets the z values;
// inside it, z 0. The library itself reads z this small as flat, so the
// identifier is that of the wedged 2D molfile either way.
TEST_F(libraryTest, threeDBound) {
    const double bound = std::ldexp(1.0, -23);
    for (double z : {bound, -bound, bound / 2, -bound / 2}) {
        testStructure_c s = halogenatedMethane(1);
        s.atoms[1].z = z;
        testStructure_c flat = halogenatedMethane(1);
        const referenceRecord_c reference = referenceInchi(flat.molfile());
        ASSERT_FALSE(reference.inchi.empty());
        const written_c written = writeThroughDriver(s, "");
        EXPECT_EQ(written.result, 1);
        EXPECT_EQ(written.text, withAuxInfo(reference));
        const auto atoms = lastIdentifierAtoms();
        ASSERT_EQ(atoms.size(), 4u);
        EXPECT_EQ(atoms[1].z, std::fabs(z) >= bound ? z : 0.0) << z;
    }
}

TEST_F(libraryTest, valenceAgainstUnsetValence) {
    testStructure_c s = ethanol();
    s.atoms[0].valence = 3;  // a CH2 end: one hydrogen fewer than the library would add
    expectLikeReference(s, "", {});
    s.atoms[2].valence = 1;  // an oxygen without hydrogen
    expectLikeReference(s, "", {});
    EXPECT_NE(writeThroughDriver(ethanol(), "").text, writeThroughDriver(s, "").text);
}

// The host's own hydrogen counts (27 and 2) stand for the implicit hydrogens
// whatever the valence says; the molfile states the same through its valences.
TEST_F(libraryTest, tavrelHydrogenMode) {
    testStructure_c reference = ethanol();
    reference.atoms[0].valence = 3;
    reference.atoms[1].valence = 4;
    reference.atoms[2].valence = 2;
    const referenceRecord_c expected = referenceInchi(reference.molfile());
    ASSERT_FALSE(expected.inchi.empty());

    refhost::refMolecule_c molecule;
    std::vector<uint32_t> index;
    ethanol().build(molecule, &index);
    molecule.atom(index[0])->setValence(4);  // ignored in this mode
    molecule.atom(index[0])->setCount(countTavrelH, 1);
    molecule.atom(index[0])->setCount(countImplicitH, 1);
    molecule.atom(index[1])->setCount(countImplicitH, 2);
    molecule.atom(index[2])->setCount(countTavrelH, 1);
    for (const char* options : {"AddTavrelH", "addtavrelh"}) {
        const written_c written = writeThroughDriver(molecule, options);
        EXPECT_EQ(written.result, 1);
        EXPECT_EQ(written.text, withAuxInfo(expected)) << options;
    }
    // Without the mode the unset valences let the library add its own hydrogens.
    const referenceRecord_c plain = referenceInchi(ethanol().molfile());
    EXPECT_EQ(writeThroughDriver(molecule, "").text, withAuxInfo(plain));
}

TEST_F(libraryTest, auxNoneInAnyCase) {
    const referenceRecord_c reference = referenceInchi(ethanol().molfile(), {"AuxNone"});
    ASSERT_FALSE(reference.inchi.empty());
    ASSERT_TRUE(reference.auxInfo.empty());
    for (const char* options : {"AUXNONE", "auxnone", "AuxNone"}) {
        const written_c written = writeThroughDriver(ethanol(), options);
        EXPECT_EQ(written.result, 1);
        EXPECT_EQ(written.text, reference.inchi) << options;  // no line end of its own
    }
}

// A pentavalent carbon: the library accepts it with a warning (code 1).
TEST_F(libraryTest, warningIsWrittenLikeSuccess) {
    testStructure_c s;
    s.atom("C", 0, 0).atom("F", 0, 1.5).atom("F", 1.3, -0.75).atom("F", -1.3, -0.75);
    s.atom("F", 1.3, 0.75).atom("F", -1.3, 0.75);
    for (uint32_t i = 1; i <= 5; ++i) s.bond(0, i);
    expectLikeReference(s, "", {});
    EXPECT_EQ(libraryCalls().lastIdentifierCode, inchi_Ret_WARNING);
}

// The library takes fewer than 1024 atoms: it refuses, and nothing is written.
TEST_F(libraryTest, libraryRefusalWritesNothing) {
    refhost::refMolecule_c molecule;
    uint32_t previous = molecule.newAtom("C");
    for (int i = 1; i < 1024; ++i) {
        const uint32_t next = molecule.newAtom("C");
        molecule.atom(next)->place(i * 1.5, (i % 2) * 0.75, 0);
        molecule.newBond(previous, next, 1);
        previous = next;
    }
    const written_c written = writeThroughDriver(molecule, "");
    EXPECT_EQ(written.result, 0);
    EXPECT_EQ(written.text, "");
    const libraryCalls_c stats = libraryCalls();
    EXPECT_EQ(stats.identifiers, 1);
    EXPECT_NE(stats.lastIdentifierCode, inchi_Ret_OKAY);
    EXPECT_NE(stats.lastIdentifierCode, inchi_Ret_WARNING);
}

// Caller options reach the library: with a '/' prefix the Linux library would
// drop them all and answer a standard InChI.
struct optionCase_c {
    const char* name;
    const char* driverOptions;
    std::vector<std::string> referenceOptions;
    bool chiralFlag;
    const char* mustContain;
    const char* mustLack;
};

void PrintTo(const optionCase_c& c, std::ostream* os) { *os << c.name; }

class callerOptions : public libraryTest, public ::testing::WithParamInterface<optionCase_c> {};

TEST_P(callerOptions, reachTheLibrary) {
    const optionCase_c& c = GetParam();
    testStructure_c s = halogenatedMethane(1);
    s.chiralFlag = c.chiralFlag;
    expectLikeReference(s, c.driverOptions, c.referenceOptions);
    const std::string text = writeThroughDriver(s, c.driverOptions).text;
    EXPECT_NE(text.find(c.mustContain), std::string::npos) << text;
    if (c.mustLack) {
        EXPECT_EQ(text.find(c.mustLack), std::string::npos) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    table, callerOptions,
    ::testing::Values(optionCase_c{"sucfRelative", "SUCF", {"SUCF"}, false, "/s2", "InChI=1S/"},
                      optionCase_c{"sucfAbsolute", "sucf", {"SUCF"}, true, "/s1", "InChI=1S/"},
                      optionCase_c{"fixedH", "FixedH", {"FixedH"}, false, "InChI=1/", "InChI=1S/"},
                      optionCase_c{"snon", "SNon", {"SNon"}, false, "InChI=1", "/t"},
                      optionCase_c{"standard", "", {}, false, "InChI=1S/", nullptr}));

}  // namespace
