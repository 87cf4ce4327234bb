// Symbols the converter read but could not write back; found by fuzzing the
// molfile reader. A NUL byte in a symbol field cut the symbol short when it
// reached the host ("C\0" became a carbon, "\0" an empty symbol the writer
// left blank), so the reader refuses it; a symbol longer than the V2000
// atom block's three columns is written as V3000, quoted where V3000 would
// split it into several items.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "converter/molfile.h"
#include "refhost/refMolecule.h"

namespace {

using refhost::refMolecule_c;

std::string v2000WithSymbol(const std::string& field) {
    return "nul\n  test\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
           "    0.0000    0.0000    0.0000 " +
           field + " 0  0  0  0  0  0  0  0  0  0  0  0\nM  END\n";
}

std::string v3000WithSymbol(const std::string& item) {
    return "nul\n  test\n\n  0  0  0     0  0            999 V3000\n"
           "M  V30 BEGIN CTAB\nM  V30 COUNTS 1 0 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 " +
           item + " 0 0 0 0\nM  V30 END ATOM\nM  V30 END CTAB\nM  END\n";
}

TEST(molfileSymbol, nulByteInTheSymbolIsRefused) {
    // The text and the line of its atom.
    const std::pair<std::string, size_t> cases[] = {
        {v2000WithSymbol(std::string("\0  ", 3)), 5}, {v2000WithSymbol(std::string("C\0 ", 3)), 5},
        {v3000WithSymbol(std::string("C\0", 2)), 8}, {v3000WithSymbol(std::string("\"\0\"", 3)), 8}};
    for (const auto& [text, line] : cases) {
        refMolecule_c molecule;
        try {
            molfile_n::readMolfile(text, molecule);
            ADD_FAILURE() << "read: " << text;
        } catch (const molfile_n::molfileError_c& error) {
            EXPECT_EQ(error.line(), line);
            EXPECT_NE(error.reason().find("NUL"), std::string::npos) << error.what();
        }
    }
}

TEST(molfileSymbol, longSymbolIsWrittenAsV3000AndReadsBack) {
    // Blanks, quotes, brackets and parentheses are quoted in V3000 items.
    for (const char* symbol : {"Abcd", "R#", "Xyz", "H $ x", "Ab\"cd", "Q(x y", "[N,O]", "NOT [N,O]"}) {
        refMolecule_c molecule;
        molecule.newAtom(symbol);
        const std::string text = molfile_n::writeMolfile(molecule, "symbol");
        const bool wide = std::string(symbol).size() > 3;
        EXPECT_NE(text.find(wide ? " V3000\n" : " V2000\n"), std::string::npos) << text;
        refMolecule_c again;
        ASSERT_NO_THROW(molfile_n::readMolfile(text, again)) << text;
        ASSERT_EQ(again.indicesOfKind(kindAtom).size(), 1u);
        EXPECT_EQ(again.atom(again.indicesOfKind(kindAtom)[0])->symbolText(), symbol);
    }
}

// "NOT" joins the next item only as the start of a negated list: a pseudo
// atom named NOT, written as V3000, kept the x coordinate as part of its type.
TEST(molfileSymbol, notIsASymbolUnlessAListFollows) {
    refMolecule_c molecule;
    molecule.atom(molecule.newAtom("NOT"))->place(1.5, -2.25, 0);
    molecule.newAtom("Abcd");
    const std::string text = molfile_n::writeMolfile(molecule, "not");
    ASSERT_NE(text.find(" V3000\n"), std::string::npos) << text;
    refMolecule_c again;
    ASSERT_NO_THROW(molfile_n::readMolfile(text, again)) << text;
    refhost::refAtom_c& atom = *again.atom(again.indicesOfKind(kindAtom)[0]);
    EXPECT_EQ(atom.symbolText(), "NOT");
    EXPECT_DOUBLE_EQ(atom.x(), 1.5);
    EXPECT_DOUBLE_EQ(atom.y(), -2.25);

    refMolecule_c list;
    ASSERT_NO_THROW(molfile_n::readMolfile(v3000WithSymbol("NOT [N,O]"), list));
    EXPECT_EQ(list.atom(list.indicesOfKind(kindAtom)[0])->symbolText(), "NOT [N,O]");
}

}  // namespace
