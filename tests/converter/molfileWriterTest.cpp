// The molfile writer: what it writes reads back into the same host molecule,
// in V2000 up to 999 atoms and bonds and in V3000 beyond.

#include <gtest/gtest.h>

#include <memory>

#include "converter/molfile.h"
#include "host/molecule_c.h"
#include "refhost/refMolecule.h"

namespace {

using refhost::refMolecule_c;

std::unique_ptr<refMolecule_c> readBack(const std::string& text) {
    auto molecule = std::make_unique<refMolecule_c>();
    molfile_n::readMolfile(text, *molecule);
    return molecule;
}

refhost::refAtom_c& nth(refMolecule_c& m, size_t k) { return *m.atom(m.indicesOfKind(kindAtom).at(k)); }

TEST(MolfileWriterTest, AtomFieldsReadBackUnchanged) {
    refMolecule_c m;
    struct atomCase_c {
        const char* symbol;
        int charge, isotope, electrons, multiplicity, valence;
    };
    const atomCase_c cases[] = {
        {"C", 0, 0, 0, 0, atom_c::valenceNotSet},
        {"N", 1, 15, 0, 0, 4},
        {"O", -1, 0, 0, 0, atom_c::valenceNotSet},
        {"Fe", 5, 0, 0, 0, atom_c::valenceNotSet},      // beyond the atom block's charge codes
        {"C", 0, 0, 1, 0, atom_c::valenceNotSet},
        {"C", 0, 0, 2, 1, 2},
        {"C", -2, 0, 2, 3, atom_c::valenceNotSet},
        {"D", 0, 0, 0, 0, atom_c::valenceNotSet},
        {"Cl", 0, 37, 0, 0, atom_c::valenceNotSet},
    };
    uint32_t previous = 0;
    for (size_t k = 0; k < std::size(cases); ++k) {
        const atomCase_c& c = cases[k];
        uint32_t index = m.newAtom(c.symbol);
        refhost::refAtom_c& atom = *m.atom(index);
        atom.place(0.5 * double(k), -1.25, 0);
        atom.setCharge(c.charge);
        atom.setIsotopeMass(c.isotope);
        atom.setCount(countRadicalElectrons, c.electrons);
        atom.setMultiplicity(c.multiplicity);
        atom.setValence(c.valence);
        if (k > 0)
            m.newBond(previous, index, 1);
        previous = index;
    }
    std::string text = molfile_n::writeMolfile(m, "atoms");
    EXPECT_NE(text.find("V2000"), std::string::npos);
    EXPECT_EQ(text.substr(0, 6), "atoms\n");
    auto back = readBack(text);
    for (size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(text);
        SCOPED_TRACE("atom " + std::to_string(k + 1));
        refhost::refAtom_c& atom = nth(*back, k);
        EXPECT_EQ(atom.symbolText(), cases[k].symbol);
        EXPECT_EQ(atom.chargeValue(), cases[k].charge);
        EXPECT_EQ(atom.isotopeValue(), cases[k].isotope);
        EXPECT_EQ(atom.countValue(countRadicalElectrons), cases[k].electrons);
        EXPECT_EQ(atom.multiplicityValue(), cases[k].multiplicity);
        EXPECT_EQ(atom.valenceValue(), cases[k].valence);
        EXPECT_DOUBLE_EQ(atom.x(), 0.5 * double(k));
        EXPECT_DOUBLE_EQ(atom.y(), -1.25);
    }
}

// Small shifts stay shifts in the atom block, unless an M  ISO line is
// needed, which voids the atom block's mass differences: then every isotope
// goes there.
TEST(MolfileWriterTest, ShiftsStayInTheAtomBlockOnlyWithoutIsoLines) {
    refMolecule_c shifts;
    shifts.atom(shifts.newAtom("O"))->setIsotopeMass(10002);
    shifts.atom(shifts.newAtom("C"))->setIsotopeMass(9999);
    std::string text = molfile_n::writeMolfile(shifts, "");
    EXPECT_EQ(text.find("M  ISO"), std::string::npos) << text;
    auto back = readBack(text);
    EXPECT_EQ(nth(*back, 0).isotopeValue(), 10002);
    EXPECT_EQ(nth(*back, 1).isotopeValue(), 9999);

    refMolecule_c mixed;
    mixed.atom(mixed.newAtom("O"))->setIsotopeMass(10002);
    mixed.atom(mixed.newAtom("C"))->setIsotopeMass(13);
    back = readBack(molfile_n::writeMolfile(mixed, ""));
    EXPECT_EQ(nth(*back, 0).isotopeValue(), 18);
    EXPECT_EQ(nth(*back, 1).isotopeValue(), 13);
}

// An M  ISO line needs an absolute mass: a shift too large for the atom block
// is measured from the average mass rounded, as the InChI library does.
TEST(MolfileWriterTest, LargeShiftsBecomeAbsoluteMasses) {
    refMolecule_c m;
    m.atom(m.newAtom("C"))->setIsotopeMass(10001 + 9);
    m.atom(m.newAtom("Br"))->setIsotopeMass(10000 - 5);
    auto back = readBack(molfile_n::writeMolfile(m, ""));
    EXPECT_EQ(nth(*back, 0).isotopeValue(), 22);
    EXPECT_EQ(nth(*back, 1).isotopeValue(), 75);
}

std::unique_ptr<refMolecule_c> chain(size_t n);

TEST(MolfileWriterTest, ZeroValenceIsWrittenAsFifteen) {
    refMolecule_c m;
    uint32_t metal = m.newAtom("Na");
    m.atom(metal)->setValence(0);
    std::string text = molfile_n::writeMolfile(m, "");
    EXPECT_NE(text.find(" Na  0  0  0  0  0 15"), std::string::npos) << text;
    EXPECT_EQ(nth(*readBack(text), 0).valenceValue(), 0);

    auto large = chain(1000);
    large->atom(large->newAtom("Na"))->setValence(0);
    text = molfile_n::writeMolfile(*large, "");
    EXPECT_NE(text.find("M  V30 1001 Na 0.0000 0.0000 0.0000 0 VAL=-1\n"), std::string::npos);
    EXPECT_EQ(nth(*readBack(text), 1000).valenceValue(), 0);
}

// Host wedges seen from the second end (6, 7, 8, 13) come back as the same
// wedge seen from the first end of a bond that runs the other way.
TEST(MolfileWriterTest, WedgesAndDoubleBondMarks) {
    struct wedgeCase_c {
        int order, wedge, doubleStereo;
        int wedgeBack, doubleBack;
        bool reversed;
    };
    const wedgeCase_c cases[] = {{1, 0, 0, 0, 0, false}, {1, 1, 0, 1, 0, false}, {1, 2, 0, 2, 0, false},
                                 {1, 3, 0, 3, 0, false}, {1, 6, 0, 1, 0, true},  {1, 7, 0, 2, 0, true},
                                 {1, 8, 0, 3, 0, true},  {1, 12, 0, 1, 0, false}, {1, 13, 0, 1, 0, true},
                                 {2, 0, 3, 0, 3, false}, {2, 1, 0, 0, 0, false}, {3, 0, 0, 0, 0, false}};
    for (const wedgeCase_c& c : cases) {
        refMolecule_c m;
        uint32_t a = m.newAtom("C");
        uint32_t b = m.newAtom("O");
        refhost::refBond_c& bond = *m.bond(m.newBond(a, b, c.order));
        bond.setWedge(c.wedge);
        bond.setDoubleStereo(c.doubleStereo);
        auto back = readBack(molfile_n::writeMolfile(m, ""));
        refhost::refBond_c& read = *back->bond(back->bondIndices().at(0));
        SCOPED_TRACE("order " + std::to_string(c.order) + " wedge " + std::to_string(c.wedge));
        EXPECT_EQ(read.orderValue(), c.order);
        EXPECT_EQ(read.wedgeValue(), c.wedgeBack);
        EXPECT_EQ(read.doubleStereoValue(), c.doubleBack);
        EXPECT_EQ(back->atom(read.first())->symbolText(), c.reversed ? "O" : "C");
    }
}

TEST(MolfileWriterTest, ChiralFlagAndDimension) {
    refMolecule_c flat;
    flat.newAtom("C");
    flat.newGroup(12);
    std::string text = molfile_n::writeMolfile(flat, "");
    EXPECT_NE(text.find("2D"), std::string::npos);
    EXPECT_EQ(readBack(text)->indicesOfKind(kindGroup).size(), 1u);

    refMolecule_c solid;
    solid.atom(solid.newAtom("C"))->place(0, 0, 1.5);
    solid.newGroup(15);
    text = molfile_n::writeMolfile(solid, "");
    EXPECT_NE(text.find("3D"), std::string::npos);
    EXPECT_TRUE(readBack(text)->indicesOfKind(kindGroup).empty()) << "only type 12 is the chiral flag";
    EXPECT_DOUBLE_EQ(nth(*readBack(text), 0).z(), 1.5);
}

// A chain of n carbons with every tenth bond double and wedged ends.
std::unique_ptr<refMolecule_c> chain(size_t n) {
    auto m = std::make_unique<refMolecule_c>();
    std::vector<uint32_t> atoms;
    for (size_t i = 0; i < n; ++i) {
        atoms.push_back(m->newAtom(i % 7 == 3 ? "N" : "C"));
        m->atom(atoms.back())->place(1.5 * double(i), double(i % 2), 0);
    }
    m->atom(atoms[5])->setCharge(-1);
    m->atom(atoms[6])->setIsotopeMass(13);
    m->atom(atoms[9])->setCount(countRadicalElectrons, 1);
    m->atom(atoms[10])->setValence(3);
    m->atom(atoms[11])->setValence(4);
    for (size_t i = 1; i < n; ++i)
        m->newBond(atoms[i - 1], atoms[i], i % 10 == 0 ? 2 : 1);
    m->bond(m->bondIndices().front())->setWedge(1);
    m->bond(m->bondIndices()[1])->setWedge(7);
    m->bond(m->bondIndices()[9])->setDoubleStereo(3);
    return m;
}

// What the driver makes of an atom's valence: valence minus bond order sum,
// the implicit hydrogens; unset stays unset.
int implicitHydrogens(refMolecule_c& m, refhost::refAtom_c& atom) {
    if (atom.valenceValue() == atom_c::valenceNotSet)
        return atom_c::valenceNotSet;
    int sum = 0;
    for (uint32_t bond : atom.bondIndices())
        sum += m.bond(bond)->orderValue();
    return atom.valenceValue() - sum;
}

void expectSameMolecule(refMolecule_c& a, refMolecule_c& b) {
    ASSERT_EQ(a.indicesOfKind(kindAtom).size(), b.indicesOfKind(kindAtom).size());
    ASSERT_EQ(a.bondIndices().size(), b.bondIndices().size());
    for (size_t k = 0; k < a.indicesOfKind(kindAtom).size(); ++k) {
        refhost::refAtom_c &x = nth(a, k), &y = nth(b, k);
        ASSERT_EQ(x.symbolText(), y.symbolText()) << k;
        ASSERT_DOUBLE_EQ(x.x(), y.x()) << k;
        ASSERT_DOUBLE_EQ(x.y(), y.y()) << k;
        ASSERT_EQ(x.chargeValue(), y.chargeValue()) << k;
        ASSERT_EQ(x.isotopeValue(), y.isotopeValue()) << k;
        ASSERT_EQ(x.countValue(countRadicalElectrons), y.countValue(countRadicalElectrons)) << k;
        ASSERT_EQ(implicitHydrogens(a, x), implicitHydrogens(b, y)) << k;
    }
    for (size_t k = 0; k < a.bondIndices().size(); ++k) {
        refhost::refBond_c &x = *a.bond(a.bondIndices()[k]), &y = *b.bond(b.bondIndices()[k]);
        ASSERT_EQ(x.orderValue(), y.orderValue()) << k;
        ASSERT_EQ(x.doubleStereoValue(), y.doubleStereoValue()) << k;
    }
}

TEST(MolfileWriterTest, V2000UpTo999AtomsV3000Beyond) {
    auto small = chain(999);
    std::string text = molfile_n::writeMolfile(*small, "999");
    EXPECT_NE(text.find("999998  0  0  0  0  0  0  0  0999 V2000"), std::string::npos);
    expectSameMolecule(*small, *readBack(text));

    auto large = chain(1000);
    text = molfile_n::writeMolfile(*large, "1000");
    EXPECT_NE(text.find("V3000"), std::string::npos);
    EXPECT_NE(text.find("M  V30 COUNTS 1000 999 0 0 0"), std::string::npos);
    EXPECT_EQ(text.find("V2000"), std::string::npos);
    auto back = readBack(text);
    expectSameMolecule(*large, *back);
    EXPECT_EQ(back->bond(back->bondIndices()[0])->wedgeValue(), 1);
    EXPECT_EQ(back->bond(back->bondIndices()[1])->wedgeValue(), 2);
    EXPECT_EQ(back->bond(back->bondIndices()[1])->first(), back->indicesOfKind(kindAtom)[2])
        << "wedge 7 is seen from the second atom, which V3000 writes first";
    EXPECT_EQ(back->atom(back->indicesOfKind(kindAtom)[10])->valenceValue(), 3);
    EXPECT_EQ(back->atom(back->indicesOfKind(kindAtom)[11])->valenceValue(), 4);
}

TEST(MolfileWriterTest, MoreThan999BondsAlsoNeedV3000) {
    refMolecule_c m;
    std::vector<uint32_t> atoms;
    for (int i = 0; i < 600; ++i)
        atoms.push_back(m.newAtom("C"));
    for (int i = 0; i < 600; ++i) {
        m.newBond(atoms[size_t(i)], atoms[size_t((i + 1) % 600)], 1);
        m.newBond(atoms[size_t(i)], atoms[size_t((i + 3) % 600)], 1);
    }
    std::string text = molfile_n::writeMolfile(m, "");
    EXPECT_NE(text.find("M  V30 COUNTS 600 1200"), std::string::npos);
    expectSameMolecule(m, *readBack(text));
}

// Bond types 9 (coordination) and 10 (hydrogen bond) come only from V3000,
// and only V3000 can give them back; found by fuzzing the molfile reader.
TEST(MolfileWriterTest, BondTypesBeyondV2000NeedV3000) {
    for (int type : {9, 10}) {
        refMolecule_c m;
        const uint32_t a = m.newAtom("C");
        const uint32_t b = m.newAtom("N");
        m.newBond(a, b, type);
        const std::string text = molfile_n::writeMolfile(m, "");
        EXPECT_NE(text.find("V3000"), std::string::npos) << type;
        auto back = readBack(text);
        expectSameMolecule(m, *back);
        EXPECT_EQ(back->bond(back->bondIndices()[0])->orderValue(), type);
    }
}

// V3000 lines longer than 80 characters continue on the next line.
TEST(MolfileWriterTest, LongV3000LinesAreContinued) {
    auto m = chain(1000);
    nth(*m, 0).place(-123456.1234, -654321.6543, -99999.5);
    nth(*m, 0).setCharge(-3);
    nth(*m, 0).setIsotopeMass(14);
    nth(*m, 0).setValence(9);
    std::string text = molfile_n::writeMolfile(*m, "");
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        EXPECT_LE(end - start, 80u);
        start = end + 1;
    }
    expectSameMolecule(*m, *readBack(text));
}

}  // namespace
