// The V2000 connection table: fixed columns for the counts, atom and bond
// lines, then the properties block up to "M  END".

#include <string>
#include <vector>

#include "converter/molfile.h"
#include "converter/molfileFormats.h"
#include "converter/molfileParsers.h"

namespace molfile_n {

namespace {

bool startsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// Atom lines have a decimal x coordinate in their first ten columns; bond and
// property lines have none.
bool looksLikeAtomLine(std::string_view text) { return text.substr(0, 10).find('.') != std::string_view::npos; }

bool isDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool looksLikeBondLine(std::string_view text) {
    return text.size() >= 9 && text.size() <= 21 && isDigits(column(text, 0, 3)) && isDigits(column(text, 3, 3)) &&
           isDigits(column(text, 6, 3));
}

molAtom_c parseAtom(std::string_view text, size_t line) {
    molAtom_c atom;
    atom.line = line;
    atom.x = parseDouble(column(text, 0, 10), line, "atom x coordinate");
    atom.y = parseDouble(column(text, 10, 10), line, "atom y coordinate");
    atom.z = parseDouble(column(text, 20, 10), line, "atom z coordinate");
    atom.symbol = std::string(column(text, 31, 3));
    if (atom.symbol.empty())
        throw molfileError_c(line, "atom symbol", "missing");
    if (!isSymbolText(atom.symbol))
        throw molfileError_c(line, "atom symbol", "holds a NUL byte");
    atom.pseudo = isPseudoSymbol(atom.symbol);
    int massDifference = parseIntIn(column(text, 34, 2), -99, 99, line, "atom mass difference");
    if (massDifference != 0)
        atom.isotope = isotopicShiftFlag + massDifference;
    int chargeCode = parseIntIn(column(text, 36, 3), 0, 7, line, "atom charge");
    if (chargeCode == 4)
        atom.radical = 2;
    else if (chargeCode != 0)
        atom.charge = 4 - chargeCode;
    atom.valence = parseIntIn(column(text, 48, 3), 0, 15, line, "atom valence");
    return atom;
}

molBond_c parseBond(std::string_view text, size_t line, size_t atomCount) {
    molBond_c bond;
    int atoms = int(atomCount);
    bond.first = size_t(parseIntIn(column(text, 0, 3), 1, atoms, line, "bond first atom", -1) - 1);
    bond.second = size_t(parseIntIn(column(text, 3, 3), 1, atoms, line, "bond second atom", -1) - 1);
    if (bond.first == bond.second)
        throw molfileError_c(line, "bond second atom", "the bond joins atom " +
                                                           std::to_string(bond.first + 1) + " to itself");
    bond.type = parseIntIn(column(text, 6, 3), 1, 8, line, "bond type", -1);
    int stereo = parseIntIn(column(text, 9, 3), 0, 6, line, "bond stereo");
    if (stereo == 2 || stereo == 5)
        throw molfileError_c(line, "bond stereo", std::to_string(stereo) + " is no stereo code");
    // A code that does not fit the bond's order (a wedge on a double bond, an
    // 'either double' mark on a single one) carries no stereo.
    bool doubleBond = bond.type == 2;
    if ((doubleBond && stereo == 3) || (!doubleBond && stereo != 3))
        bond.stereo = stereo;
    return bond;
}

// "M  CHG", "M  RAD", "M  ISO": a count of up to 8, then atom-value pairs.
struct atomValues_c {
    std::vector<std::pair<size_t, int>> entries;
};

atomValues_c parseAtomValues(std::string_view text, size_t line, size_t atomCount, const std::string& field,
                             int low, int high) {
    std::vector<std::string_view> tokens;
    std::string_view rest = text.substr(6);
    while (!(rest = trimmed(rest)).empty()) {
        size_t end = rest.find_first_of(" \t");
        tokens.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    }
    if (tokens.empty())
        throw molfileError_c(line, field + " count", "missing");
    int count = parseIntIn(tokens[0], 1, 8, line, field + " count");
    if (tokens.size() != size_t(1 + 2 * count))
        throw molfileError_c(line, field, std::to_string(count) + " entries announced, " +
                                              std::to_string((tokens.size() - 1) / 2) + " given");
    atomValues_c values;
    for (int i = 0; i < count; ++i) {
        int atom = parseIntIn(tokens[1 + 2 * i], 1, int(atomCount), line, field + " atom number");
        int value = parseIntIn(tokens[2 + 2 * i], low, high, line, field + " value");
        values.entries.emplace_back(size_t(atom - 1), value);
    }
    return values;
}

class propertiesBlock_c {
public:
    propertiesBlock_c(molfileLines_c& lines, molStructure_c& structure) : lines_(lines), s_(structure) {}

    void parse() {
        for (;;) {
            std::string_view text = lines_.next("M  END");
            size_t line = lines_.line();
            if (startsWith(text, "M  END"))
                return;
            if (startsWith(text, "M  CHG")) {
                resetChargesOnce();
                for (auto [atom, value] : parseAtomValues(text, line, s_.atoms.size(), "M  CHG", -15, 15).entries)
                    s_.atoms[atom].charge = value;
            } else if (startsWith(text, "M  RAD")) {
                resetChargesOnce();
                for (auto [atom, value] : parseAtomValues(text, line, s_.atoms.size(), "M  RAD", 0, 3).entries)
                    s_.atoms[atom].radical = value;
            } else if (startsWith(text, "M  ISO")) {
                resetIsotopesOnce();
                for (auto [atom, value] : parseAtomValues(text, line, s_.atoms.size(), "M  ISO", 1, 999).entries)
                    s_.atoms[atom].isotope = value;
            } else if (startsWith(text, "M  ALS") || startsWith(text, "M  RGP")) {
                markPseudo(text, line);
            } else if (startsWith(text, "A  ") || startsWith(text, "G  ")) {
                lines_.next("the text line of " + std::string(text.substr(0, 3)));
            } else if (startsWith(text, "S  SKP")) {
                int skip = parseIntIn(column(text, 6, 3), 0, 999, line, "S  SKP count");
                for (int i = 0; i < skip; ++i)
                    lines_.next("a line skipped by S  SKP");
            } else if (startsWith(text, "> ") || startsWith(text, "$$$$")) {
                throw molfileError_c(line, "M  END", "missing before the data items");
            } else if (looksLikeBondLine(text)) {
                throw molfileError_c(line, "counts line bond count",
                                     std::to_string(s_.bonds.size()) + " bonds announced, but this is one more bond line");
            }
        }
    }

private:
    // An "M  CHG" or "M  RAD" line discards every charge and radical of the
    // atom block, an "M  ISO" line every mass difference.
    void resetChargesOnce() {
        if (chargesReset_)
            return;
        chargesReset_ = true;
        for (molAtom_c& atom : s_.atoms)
            atom.charge = atom.radical = 0;
    }
    void resetIsotopesOnce() {
        if (isotopesReset_)
            return;
        isotopesReset_ = true;
        for (molAtom_c& atom : s_.atoms)
            atom.isotope = 0;
    }
    // Atom lists name one atom right after the tag; R group lines pair atoms
    // with group numbers.
    void markPseudo(std::string_view text, size_t line) {
        if (startsWith(text, "M  ALS")) {
            int atom = parseIntIn(column(text, 7, 3), 1, int(s_.atoms.size()), line, "M  ALS atom number");
            s_.atoms[size_t(atom - 1)].pseudo = true;
            return;
        }
        for (auto [atom, group] : parseAtomValues(text, line, s_.atoms.size(), "M  RGP", 0, 999).entries)
            s_.atoms[atom].pseudo = true;
    }

    molfileLines_c& lines_;
    molStructure_c& s_;
    bool chargesReset_ = false;
    bool isotopesReset_ = false;
};

}  // namespace

void parseV2000(molfileLines_c& lines, std::string_view countsLine, molStructure_c& structure) {
    size_t countsAt = lines.line();
    int atomCount = parseIntIn(column(countsLine, 0, 3), 0, 999, countsAt, "counts line atom count", -1);
    int bondCount = parseIntIn(column(countsLine, 3, 3), 0, 999, countsAt, "counts line bond count", -1);
    structure.chiral = parseIntIn(column(countsLine, 12, 3), 0, 1, countsAt, "counts line chiral flag") == 1;

    structure.atoms.reserve(size_t(atomCount));
    for (int i = 0; i < atomCount; ++i) {
        std::string_view text = lines.next("atom " + std::to_string(i + 1) + " of " + std::to_string(atomCount));
        if (!looksLikeAtomLine(text))
            throw molfileError_c(lines.line(), "counts line atom count",
                                 std::to_string(atomCount) + " atoms announced on line " +
                                     std::to_string(countsAt) + ", but this is no atom line");
        structure.atoms.push_back(parseAtom(text, lines.line()));
    }
    structure.bonds.reserve(size_t(bondCount));
    for (int i = 0; i < bondCount; ++i) {
        std::string_view text = lines.next("bond " + std::to_string(i + 1) + " of " + std::to_string(bondCount));
        if (looksLikeAtomLine(text))
            throw molfileError_c(lines.line(), "counts line atom count",
                                 std::to_string(atomCount) + " atoms announced on line " +
                                     std::to_string(countsAt) + ", but this is one more atom line");
        if (startsWith(text, "M  "))
            throw molfileError_c(lines.line(), "counts line bond count",
                                 std::to_string(bondCount) + " bonds announced on line " +
                                     std::to_string(countsAt) + ", but the bond block ends here");
        structure.bonds.push_back(parseBond(text, lines.line(), structure.atoms.size()));
    }
    propertiesBlock_c(lines, structure).parse();
    // An atom-block mass difference that no "M  ISO" line voided must give a
    // mass number: the writer states masses as such, and none is below 1.
    for (const molAtom_c& atom : structure.atoms)
        if (isIsotopicShift(atom.isotope) && absoluteMass(atom) < 1)
            throw molfileError_c(atom.line, "atom mass difference", "gives no mass number above 0");
}

}  // namespace molfile_n
