// The V3000 connection table: "M  V30 " lines, continued by a trailing '-',
// holding blank-separated items; atoms and bonds carry their properties as
// KEY=value items, and bonds name atoms by their index item.

#include <map>
#include <string>
#include <vector>

#include "converter/molfile.h"
#include "converter/molfileParsers.h"

namespace molfile_n {

namespace {

constexpr std::string_view v30Prefix = "M  V30 ";

// One logical V3000 line: its items and the file line it started on.
struct v30Line_c {
    std::vector<std::string> items;
    size_t line = 0;

    bool is(std::string_view first, std::string_view second = {}) const {
        return !items.empty() && items[0] == first && (second.empty() || (items.size() > 1 && items[1] == second));
    }
};

// Items are separated by blanks; a double-quoted item ("" inside is one quote)
// and a parenthesised or bracketed list count as one item each.
std::vector<std::string> splitItems(std::string_view text, size_t line) {
    std::vector<std::string> items;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        std::string item;
        int depth = 0;
        bool quoted = false;
        for (; i < text.size(); ++i) {
            char c = text[i];
            if (quoted) {
                if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    item += c;
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    item += c;
                }
                continue;
            }
            if (depth == 0 && (c == ' ' || c == '\t'))
                break;
            if (c == '"') {
                quoted = true;
                continue;
            }
            if (c == '(' || c == '[')
                ++depth;
            else if ((c == ')' || c == ']') && depth > 0)
                --depth;
            item += c;
        }
        if (quoted)
            throw molfileError_c(line, "V3000 item", "a quoted text is not closed");
        if (depth != 0)
            throw molfileError_c(line, "V3000 item", "a list is not closed");
        items.push_back(std::move(item));
    }
    return items;
}

v30Line_c nextV30(molfileLines_c& lines, const std::string& expected) {
    std::string text;
    v30Line_c result;
    for (;;) {
        std::string_view part = lines.next(expected);
        if (!result.line)
            result.line = lines.line();
        if (part.substr(0, v30Prefix.size()) != v30Prefix)
            throw molfileError_c(lines.line(), expected, "not an \"M  V30 \" line");
        part.remove_prefix(v30Prefix.size());
        // A continued line goes on with the next line's text exactly as it
        // stands, blanks included; only blanks after the '-' are dropped.
        while (!part.empty() && (part.back() == ' ' || part.back() == '\t'))
            part.remove_suffix(1);
        if (part.empty() || part.back() != '-') {
            text += part;
            break;
        }
        part.remove_suffix(1);
        text += part;
    }
    result.items = splitItems(text, result.line);
    return result;
}

// KEY=value items after the positional ones.
std::map<std::string, std::string> keyedItems(const v30Line_c& v30, size_t from, const std::string& what) {
    std::map<std::string, std::string> keyed;
    for (size_t i = from; i < v30.items.size(); ++i) {
        size_t eq = v30.items[i].find('=');
        if (eq == std::string::npos)
            throw molfileError_c(v30.line, what, "'" + v30.items[i] + "' is not KEY=value");
        keyed[v30.items[i].substr(0, eq)] = v30.items[i].substr(eq + 1);
    }
    return keyed;
}

class v3000Table_c {
public:
    v3000Table_c(molfileLines_c& lines, molStructure_c& structure) : lines_(lines), s_(structure) {}

    void parse() {
        expect(nextV30(lines_, "M  V30 BEGIN CTAB"), "BEGIN", "CTAB");
        v30Line_c counts = nextV30(lines_, "M  V30 COUNTS");
        expect(counts, "COUNTS");
        if (counts.items.size() < 6)
            throw molfileError_c(counts.line, "COUNTS", "five counts expected");
        atomCount_ = parseIntIn(counts.items[1], 0, 1 << 30, counts.line, "COUNTS atom count");
        bondCount_ = parseIntIn(counts.items[2], 0, 1 << 30, counts.line, "COUNTS bond count");
        s_.chiral = parseIntIn(counts.items[5], 0, 1, counts.line, "COUNTS chiral flag") == 1;
        countsLine_ = counts.line;

        for (;;) {
            v30Line_c v30 = nextV30(lines_, "M  V30 END CTAB");
            if (v30.is("END", "CTAB"))
                break;
            if (v30.is("BEGIN", "ATOM"))
                atomBlock();
            else if (v30.is("BEGIN", "BOND"))
                bondBlock();
            else if (v30.is("BEGIN") && v30.items.size() > 1)
                skipBlock(v30.items[1]);
        }
        if (s_.atoms.size() != size_t(atomCount_))
            throw molfileError_c(countsLine_, "COUNTS atom count",
                                 std::to_string(atomCount_) + " atoms announced, " +
                                     std::to_string(s_.atoms.size()) + " given");
        if (s_.bonds.size() != size_t(bondCount_))
            throw molfileError_c(countsLine_, "COUNTS bond count",
                                 std::to_string(bondCount_) + " bonds announced, " +
                                     std::to_string(s_.bonds.size()) + " given");
        for (;;) {
            std::string_view text = lines_.next("M  END");
            if (text.substr(0, 6) == "M  END")
                return;
        }
    }

private:
    static void expect(const v30Line_c& v30, std::string_view first, std::string_view second = {}) {
        if (!v30.is(first, second))
            throw molfileError_c(v30.line, std::string(first) + (second.empty() ? "" : " ") + std::string(second),
                                 "expected here");
    }

    void atomBlock() {
        for (;;) {
            v30Line_c v30 = nextV30(lines_, "M  V30 END ATOM");
            if (v30.is("END", "ATOM"))
                return;
            if (s_.atoms.size() >= size_t(atomCount_))
                throw molfileError_c(v30.line, "COUNTS atom count",
                                     std::to_string(atomCount_) + " atoms announced on line " +
                                         std::to_string(countsLine_) + ", but this is one more");
            parseAtom(v30);
        }
    }

    void parseAtom(v30Line_c v30) {
        // "NOT [list]" is one type item; "NOT" before anything but a list is
        // a symbol of its own.
        if (v30.items.size() > 2 && v30.items[1] == "NOT" && v30.items[2].compare(0, 1, "[") == 0) {
            v30.items[1] += " " + v30.items[2];
            v30.items.erase(v30.items.begin() + 2);
        }
        if (v30.items.size() < 6)
            throw molfileError_c(v30.line, "V3000 atom", "index, type, x, y, z and map expected");
        int id = parseInt(v30.items[0], v30.line, "V3000 atom index");
        if (!atomIds_.emplace(id, s_.atoms.size()).second)
            throw molfileError_c(v30.line, "V3000 atom index", std::to_string(id) + " is used twice");
        molAtom_c atom;
        atom.line = v30.line;
        atom.symbol = v30.items[1];
        if (atom.symbol.empty())
            throw molfileError_c(v30.line, "V3000 atom type", "missing");
        if (!isSymbolText(atom.symbol))
            throw molfileError_c(v30.line, "V3000 atom type", "holds a NUL byte");
        bool list = atom.symbol.front() == '[' || atom.symbol.compare(0, 4, "NOT ") == 0;
        atom.pseudo = list || isPseudoSymbol(atom.symbol);
        atom.x = parseDouble(v30.items[2], v30.line, "V3000 atom x coordinate");
        atom.y = parseDouble(v30.items[3], v30.line, "V3000 atom y coordinate");
        atom.z = parseDouble(v30.items[4], v30.line, "V3000 atom z coordinate");
        parseInt(v30.items[5], v30.line, "V3000 atom map number");
        for (const auto& [key, value] : keyedItems(v30, 6, "V3000 atom property")) {
            if (key == "CHG")
                atom.charge = parseIntIn(value, -15, 15, v30.line, "V3000 atom CHG");
            else if (key == "RAD")
                atom.radical = parseIntIn(value, 0, 3, v30.line, "V3000 atom RAD");
            else if (key == "MASS")
                atom.isotope = parseIntIn(value, 0, 999, v30.line, "V3000 atom MASS");
            else if (key == "VAL")
                atom.valence = valenceCode(parseIntIn(value, -1, 14, v30.line, "V3000 atom VAL"));
            else if (key == "RGROUPS")
                atom.pseudo = true;
        }
        s_.atoms.push_back(std::move(atom));
    }

    // V3000 writes a valence of zero as -1; the structure keeps V2000's 15.
    static int valenceCode(int value) { return value == -1 ? 15 : value; }

    void bondBlock() {
        for (;;) {
            v30Line_c v30 = nextV30(lines_, "M  V30 END BOND");
            if (v30.is("END", "BOND"))
                return;
            if (s_.bonds.size() >= size_t(bondCount_))
                throw molfileError_c(v30.line, "COUNTS bond count",
                                     std::to_string(bondCount_) + " bonds announced on line " +
                                         std::to_string(countsLine_) + ", but this is one more");
            parseBond(v30);
        }
    }

    size_t atomById(const std::string& item, size_t line, const std::string& field) const {
        int id = parseInt(item, line, field);
        auto found = atomIds_.find(id);
        if (found == atomIds_.end())
            throw molfileError_c(line, field, "no atom has the index " + std::to_string(id));
        return found->second;
    }

    void parseBond(const v30Line_c& v30) {
        if (v30.items.size() < 4)
            throw molfileError_c(v30.line, "V3000 bond", "index, type and two atoms expected");
        parseInt(v30.items[0], v30.line, "V3000 bond index");
        molBond_c bond;
        bond.type = parseIntIn(v30.items[1], 1, 10, v30.line, "V3000 bond type");
        bond.first = atomById(v30.items[2], v30.line, "V3000 bond first atom");
        bond.second = atomById(v30.items[3], v30.line, "V3000 bond second atom");
        if (bond.first == bond.second)
            throw molfileError_c(v30.line, "V3000 bond second atom", "the bond joins an atom to itself");
        for (const auto& [key, value] : keyedItems(v30, 4, "V3000 bond property")) {
            if (key != "CFG")
                continue;
            int cfg = parseIntIn(value, 0, 3, v30.line, "V3000 bond CFG");
            // CFG 1 up, 2 either, 3 down; on a double bond only 2 (either) has a meaning.
            if (bond.type == 2)
                bond.stereo = cfg == 2 ? 3 : 0;
            else
                bond.stereo = cfg == 1 ? 1 : cfg == 2 ? 4 : cfg == 3 ? 6 : 0;
        }
        s_.bonds.push_back(bond);
    }

    void skipBlock(const std::string& name) {
        for (;;) {
            v30Line_c v30 = nextV30(lines_, "M  V30 END " + name);
            if (v30.is("END", name))
                return;
        }
    }

    molfileLines_c& lines_;
    molStructure_c& s_;
    int atomCount_ = 0;
    int bondCount_ = 0;
    size_t countsLine_ = 0;
    std::map<int, size_t> atomIds_;
};

}  // namespace

void parseV3000(molfileLines_c& lines, molStructure_c& structure) { v3000Table_c(lines, structure).parse(); }

}  // namespace molfile_n
