// The molfile reader: every molfile field lands on the reference host the way
// the driver needs it, in V2000 and V3000 alike.

#include <gtest/gtest.h>

#include <memory>

#include "converter/molfile.h"
#include "host/molecule_c.h"
#include "molfileText.h"
#include "refhost/refMolecule.h"

using namespace molfileText_n;

namespace {

struct readMolecule_c {
    std::unique_ptr<refhost::refMolecule_c> molecule = std::make_unique<refhost::refMolecule_c>();

    explicit readMolecule_c(const std::string& text) { molfile_n::readMolfile(text, *molecule); }
    refhost::refAtom_c& atom(size_t k) { return *molecule->atom(molecule->indicesOfKind(kindAtom).at(k)); }
    refhost::refBond_c& bond(size_t k) { return *molecule->bond(molecule->bondIndices().at(k)); }
    size_t atoms() const { return molecule->indicesOfKind(kindAtom).size(); }
    std::vector<int32_t> groupCodes() {
        std::vector<int32_t> codes;
        for (uint32_t index : molecule->indicesOfKind(kindGroup))
            codes.push_back(molecule->group(index)->typeCodeValue());
        return codes;
    }
};

TEST(MolfileReaderTest, AtomsKeepFileOrderSymbolsAndFullCoordinates) {
    readMolecule_c m(v2000({{"C", 1.2345, -2.5, 0.125}, {"Cl", 0, 0, -3.0001}, {"O"}}, {{1, 2}, {2, 3}}));
    ASSERT_EQ(m.atoms(), 3u);
    EXPECT_EQ(m.atom(0).symbolText(), "C");
    EXPECT_EQ(m.atom(1).symbolText(), "Cl");
    EXPECT_EQ(m.atom(2).symbolText(), "O");
    EXPECT_DOUBLE_EQ(m.atom(0).x(), 1.2345);
    EXPECT_DOUBLE_EQ(m.atom(0).y(), -2.5);
    EXPECT_DOUBLE_EQ(m.atom(0).z(), 0.125);
    EXPECT_DOUBLE_EQ(m.atom(1).z(), -3.0001);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(m.atom(k).kindValue(), 0);
        EXPECT_EQ(m.atom(k).valenceValue(), atom_c::valenceNotSet);
        EXPECT_EQ(m.atom(k).isotopeValue(), 0);
    }
}

struct chargeCase_c {
    int code;
    int charge;
    int radicalElectrons;
};

TEST(MolfileReaderTest, AtomBlockChargeCodes) {
    const chargeCase_c cases[] = {{0, 0, 0}, {1, 3, 0}, {2, 2, 0}, {3, 1, 0}, {4, 0, 1}, {5, -1, 0}, {6, -2, 0}, {7, -3, 0}};
    for (const chargeCase_c& c : cases) {
        atomLine_c atom;
        atom.chargeCode = c.code;
        readMolecule_c m(v2000({atom}, {}));
        EXPECT_EQ(m.atom(0).chargeValue(), c.charge) << "code " << c.code;
        EXPECT_EQ(m.atom(0).countValue(countRadicalElectrons), c.radicalElectrons) << "code " << c.code;
    }
}

// An M  CHG or M  RAD line discards every atom-block charge and radical,
// also those of atoms it does not name; M  ISO does the same to mass differences.
TEST(MolfileReaderTest, PropertyLinesReplaceAtomBlockValues) {
    atomLine_c plus, doublet, plain, heavy;
    plus.chargeCode = 3;
    doublet.chargeCode = 4;
    heavy.massDifference = 1;
    readMolecule_c charged(v2000({plus, doublet, plain}, {{1, 2}, {2, 3}}, {"M  CHG  1   3  -1"}));
    EXPECT_EQ(charged.atom(0).chargeValue(), 0);
    EXPECT_EQ(charged.atom(1).countValue(countRadicalElectrons), 0);
    EXPECT_EQ(charged.atom(2).chargeValue(), -1);

    readMolecule_c radical(v2000({plus, plain}, {{1, 2}}, {"M  RAD  1   2   2"}));
    EXPECT_EQ(radical.atom(0).chargeValue(), 0);
    EXPECT_EQ(radical.atom(1).countValue(countRadicalElectrons), 1);

    readMolecule_c both(v2000({plain, plain}, {{1, 2}}, {"M  CHG  1   1   1", "M  RAD  1   1   2"}));
    EXPECT_EQ(both.atom(0).chargeValue(), 1) << "a later M  RAD keeps what M  CHG set";
    EXPECT_EQ(both.atom(0).countValue(countRadicalElectrons), 1);

    readMolecule_c isotopes(v2000({heavy, plain}, {{1, 2}}, {"M  ISO  1   2  13"}));
    EXPECT_EQ(isotopes.atom(0).isotopeValue(), 0);
    EXPECT_EQ(isotopes.atom(1).isotopeValue(), 13);
}

TEST(MolfileReaderTest, PropertyLinesWithSeveralEntries) {
    readMolecule_c m(v2000({{"N"}, {"C"}, {"O"}}, {{1, 2}, {2, 3}}, {"M  CHG  2   1   1   3  -1", "M  ISO  2   1  15   3  18"}));
    EXPECT_EQ(m.atom(0).chargeValue(), 1);
    EXPECT_EQ(m.atom(2).chargeValue(), -1);
    EXPECT_EQ(m.atom(0).isotopeValue(), 15);
    EXPECT_EQ(m.atom(1).isotopeValue(), 0);
    EXPECT_EQ(m.atom(2).isotopeValue(), 18);
}

TEST(MolfileReaderTest, RadicalCodesGiveElectronCountAndMultiplicity) {
    struct radicalCase_c {
        int code, electrons, multiplicity;
    };
    for (radicalCase_c c : {radicalCase_c{1, 2, 1}, {2, 1, 0}, {3, 2, 3}}) {
        readMolecule_c m(v2000({{"C"}}, {}, {"M  RAD  1   1   " + std::to_string(c.code)}));
        EXPECT_EQ(m.atom(0).countValue(countRadicalElectrons), c.electrons) << "RAD " << c.code;
        EXPECT_EQ(m.atom(0).multiplicityValue(), c.multiplicity) << "RAD " << c.code;
    }
}

// The InChI library takes 10000 + d as a shift from the average mass, which is
// what the atom-block field means; M  ISO gives the absolute mass.
TEST(MolfileReaderTest, MassDifferenceBecomesTheLibrarysShift) {
    for (int d : {-3, -1, 1, 4}) {
        atomLine_c atom;
        atom.symbol = "Cl";
        atom.massDifference = d;
        readMolecule_c m(v2000({atom}, {}));
        EXPECT_EQ(m.atom(0).isotopeValue(), 10000 + d) << d;
    }
}

// Host valence minus bond order sum is the driver's hydrogen count; the reader
// never lets it go negative (-1 would ask the library for its own hydrogens).
TEST(MolfileReaderTest, ValenceField) {
    struct valenceCase_c {
        int field;
        int neighbours;  // single bonds to the first atom
        int expected;
    };
    const valenceCase_c cases[] = {{0, 1, atom_c::valenceNotSet},
                                   {4, 1, 4},
                                   {3, 2, 3},
                                   {1, 2, 2},
                                   {15, 0, 0},
                                   {15, 1, 1},
                                   {15, 3, 3},
                                   {14, 1, 14}};
    for (const valenceCase_c& c : cases) {
        std::vector<atomLine_c> atoms(size_t(c.neighbours + 1));
        atoms[0].valence = c.field;
        std::vector<bondLine_c> bonds;
        for (int i = 0; i < c.neighbours; ++i)
            bonds.push_back({1, i + 2});
        readMolecule_c m(v2000(atoms, bonds));
        EXPECT_EQ(m.atom(0).valenceValue(), c.expected) << "field " << c.field << ", " << c.neighbours << " bonds";
    }
    std::vector<atomLine_c> atoms(2);
    atoms[0].valence = 2;
    readMolecule_c doubled(v2000(atoms, {{1, 2, 2}}));
    EXPECT_EQ(doubled.atom(0).valenceValue(), 2) << "bond orders count, not bonds";
}

TEST(MolfileReaderTest, PseudoAndQueryAtomsGetKindOne) {
    for (const char* symbol : {"A", "Q", "*", "L", "LP", "R#", "R", "Xx"}) {
        readMolecule_c m(v2000({{symbol}, {"C"}}, {{1, 2}}));
        EXPECT_EQ(m.atom(0).kindValue(), 1) << symbol;
        EXPECT_EQ(m.atom(1).kindValue(), 0) << symbol;
    }
    for (const char* symbol : {"D", "T", "H", "Cl", "Og"}) {
        readMolecule_c m(v2000({{symbol}}, {}));
        EXPECT_EQ(m.atom(0).kindValue(), 0) << symbol;
    }
    readMolecule_c listed(v2000({{"C"}, {"C"}, {"C"}}, {{1, 2}, {2, 3}}, {"M  ALS   2  2 F C   N   ", "M  RGP  1   3   1"}));
    EXPECT_EQ(listed.atom(0).kindValue(), 0);
    EXPECT_EQ(listed.atom(1).kindValue(), 1);
    EXPECT_EQ(listed.atom(2).kindValue(), 1);
}

TEST(MolfileReaderTest, BondOrdersPassUnchangedSoThatTheDriverRefusesWhatItCannotTake) {
    for (int type = 1; type <= 8; ++type) {
        readMolecule_c m(v2000({{"C"}, {"C"}}, {{1, 2, type}}));
        EXPECT_EQ(m.bond(0).orderValue(), type);
    }
}

TEST(MolfileReaderTest, WedgesStartAtTheBondsFirstAtom) {
    struct stereoCase_c {
        int type, stereo, wedge, doubleStereo;
    };
    const stereoCase_c cases[] = {{1, 0, 0, 0}, {1, 1, 1, 0}, {1, 6, 2, 0}, {1, 4, 3, 0}, {2, 3, 0, 3},
                                  {2, 0, 0, 0}, {3, 1, 1, 0}, {1, 3, 0, 0}, {2, 1, 0, 0}};
    for (const stereoCase_c& c : cases) {
        readMolecule_c m(v2000({{"C"}, {"C"}, {"O"}}, {{1, 2}, {3, 2, c.type, c.stereo}}));
        refhost::refBond_c& bond = m.bond(1);
        EXPECT_EQ(bond.wedgeValue(), c.wedge) << "type " << c.type << " stereo " << c.stereo;
        EXPECT_EQ(bond.doubleStereoValue(), c.doubleStereo) << "type " << c.type << " stereo " << c.stereo;
        EXPECT_EQ(bond.first(), m.molecule->indicesOfKind(kindAtom)[2]);
        EXPECT_EQ(bond.second(), m.molecule->indicesOfKind(kindAtom)[1]);
    }
}

TEST(MolfileReaderTest, ChiralFlagIsAGroupOfTypeTwelve) {
    EXPECT_EQ(readMolecule_c(v2000({{"C"}}, {}, {}, true)).groupCodes(), std::vector<int32_t>{12});
    EXPECT_TRUE(readMolecule_c(v2000({{"C"}}, {}, {}, false)).groupCodes().empty());
}

TEST(MolfileReaderTest, AliasAndSkipLinesDoNotEndTheBlock) {
    readMolecule_c m(v2000({{"C"}, {"O"}}, {{1, 2}},
                           {"A    1", "M  END alias text would end it if read as a property", "S  SKP  1",
                            "M  CHG  1   1   1", "M  CHG  1   2  -1"}));
    EXPECT_EQ(m.atom(0).chargeValue(), 0) << "the skipped line was not read";
    EXPECT_EQ(m.atom(1).chargeValue(), -1);
}

TEST(MolfileReaderTest, ZeroAtomsIsAnEmptyMolecule) {
    readMolecule_c m(v2000({}, {}));
    EXPECT_EQ(m.atoms(), 0u);
}

// The same molecule written both ways: every field must land alike.
TEST(MolfileReaderTest, V3000GivesWhatV2000Gives) {
    std::vector<atomLine_c> atoms(7);
    atoms[0] = {"C", 1.5, -2.25, 0.5};
    atoms[1].symbol = "N";
    atoms[2].symbol = "O";
    atoms[3].symbol = "C";
    atoms[3].valence = 15;
    atoms[4].symbol = "Cl";
    atoms[5].symbol = "A";
    atoms[6].symbol = "C";
    atoms[6].valence = 3;
    std::string v2 = v2000(atoms, {{1, 2, 1, 1}, {2, 3, 1, 6}, {3, 4, 1, 4}, {4, 5, 2, 3}, {5, 6, 4, 0}, {6, 7, 1, 0}},
                           {"M  CHG  2   2   1   3  -1", "M  RAD  1   7   3", "M  ISO  1   5  37"}, true);
    std::string v3 =
        "title\n  test\n\n  0  0  0     0  0            999 V3000\n"
        "M  V30 BEGIN CTAB\n"
        "M  V30 COUNTS 7 6 0 0 1\n"
        "M  V30 BEGIN ATOM\n"
        "M  V30 10 C 1.5 -2.25 0.5 0\n"
        "M  V30 20 N 0 0 0 0 CHG=1\n"
        "M  V30 30 O 0 0 0 0 -\n"
        "M  V30 CHG=-1\n"
        "M  V30 40 C 0 0 0 0 VAL=-1\n"
        "M  V30 50 \"Cl\" 0 0 0 0 MASS=37\n"
        "M  V30 60 [N,O] 0 0 0 0\n"
        "M  V30 70 C 0 0 0 0 RAD=3 VAL=3\n"
        "M  V30 END ATOM\n"
        "M  V30 BEGIN BOND\n"
        "M  V30 1 1 10 20 CFG=1\n"
        "M  V30 2 1 20 30 CFG=3\n"
        "M  V30 3 1 30 40 CFG=2\n"
        "M  V30 4 2 40 50 CFG=2\n"
        "M  V30 5 4 50 60\n"
        "M  V30 6 1 60 70\n"
        "M  V30 END BOND\n"
        "M  V30 BEGIN SGROUP\n"
        "M  V30 1 SUP 0 ATOMS=(1 1) LABEL=\"a b\"\n"
        "M  V30 END SGROUP\n"
        "M  V30 END CTAB\n"
        "M  END\n";
    readMolecule_c a(v2), b(v3);
    ASSERT_EQ(a.atoms(), 7u);
    ASSERT_EQ(b.atoms(), 7u);
    for (size_t k = 0; k < 7; ++k) {
        SCOPED_TRACE("atom " + std::to_string(k + 1));
        EXPECT_EQ(a.atom(k).symbolText() == "A", b.atom(k).symbolText() == "[N,O]");
        if (k != 5) {
            EXPECT_EQ(a.atom(k).symbolText(), b.atom(k).symbolText());
        }
        EXPECT_EQ(a.atom(k).kindValue(), b.atom(k).kindValue());
        EXPECT_DOUBLE_EQ(a.atom(k).x(), b.atom(k).x());
        EXPECT_DOUBLE_EQ(a.atom(k).y(), b.atom(k).y());
        EXPECT_DOUBLE_EQ(a.atom(k).z(), b.atom(k).z());
        EXPECT_EQ(a.atom(k).chargeValue(), b.atom(k).chargeValue());
        EXPECT_EQ(a.atom(k).isotopeValue(), b.atom(k).isotopeValue());
        EXPECT_EQ(a.atom(k).countValue(countRadicalElectrons), b.atom(k).countValue(countRadicalElectrons));
        EXPECT_EQ(a.atom(k).multiplicityValue(), b.atom(k).multiplicityValue());
        EXPECT_EQ(a.atom(k).valenceValue(), b.atom(k).valenceValue());
    }
    EXPECT_EQ(b.atom(1).chargeValue(), 1);
    EXPECT_EQ(b.atom(2).chargeValue(), -1) << "continued line";
    EXPECT_EQ(b.atom(4).isotopeValue(), 37);
    EXPECT_EQ(b.atom(3).valenceValue(), 3) << "VAL=-1 is a valence of zero: a single and a double bond, no hydrogens";
    for (size_t k = 0; k < 6; ++k) {
        SCOPED_TRACE("bond " + std::to_string(k + 1));
        EXPECT_EQ(a.bond(k).orderValue(), b.bond(k).orderValue());
        EXPECT_EQ(a.bond(k).wedgeValue(), b.bond(k).wedgeValue());
        EXPECT_EQ(a.bond(k).doubleStereoValue(), b.bond(k).doubleStereoValue());
    }
    EXPECT_EQ(b.bond(0).wedgeValue(), 1);
    EXPECT_EQ(b.bond(1).wedgeValue(), 2);
    EXPECT_EQ(b.bond(2).wedgeValue(), 3);
    EXPECT_EQ(b.bond(3).doubleStereoValue(), 3);
    EXPECT_EQ(a.groupCodes(), b.groupCodes());
}

}  // namespace
