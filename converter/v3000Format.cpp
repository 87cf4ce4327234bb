#include <cstdio>
#include <string>

#include "converter/molfileFormats.h"

namespace molfile_n {

namespace {

// V3000 lines stay within 80 characters: longer ones continue on the next
// line after a trailing '-'.
void appendV30(std::string& out, const std::string& text) {
    constexpr size_t room = 72;
    size_t start = 0;
    while (text.size() - start > room) {
        out += "M  V30 " + text.substr(start, room) + "-\n";
        start += room;
    }
    out += "M  V30 " + text.substr(start) + '\n';
}

// Sized to the number: "%.4f" of a large value has hundreds of digits, and a
// fixed buffer would cut them off, writing another number.
std::string number(double value) {
    const int length = std::snprintf(nullptr, 0, "%.4f", value);
    std::string text(size_t(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%.4f", value);
    text.resize(size_t(length));
    return text;
}

// Items are split at blanks, group brackets and parentheses, and take quotes
// as quoting: a symbol holding any of these goes out quoted ("" for a quote),
// so that it reads back as the one item it was.
std::string symbolItem(const std::string& symbol) {
    if (!symbol.empty() && symbol.find_first_of(" \t\"()[]") == std::string::npos)
        return symbol;
    std::string item = "\"";
    for (char c : symbol) {
        if (c == '"')
            item += '"';
        item += c;
    }
    return item + '"';
}

// Host wedges are MDL V2000 stereo codes here; V3000 numbers them 1 up, 2 either, 3 down.
int bondConfiguration(const molBond_c& bond) {
    if (bond.type == 2)
        return bond.stereo == 3 ? 2 : 0;
    switch (bond.stereo) {
    case 1:
        return 1;
    case 4:
        return 2;
    case 6:
        return 3;
    default:
        return 0;
    }
}

}  // namespace

void formatV3000(const molStructure_c& s, std::string& out) {
    out += "  0  0  0     0  0            999 V3000\n";
    appendV30(out, "BEGIN CTAB");
    appendV30(out, "COUNTS " + std::to_string(s.atoms.size()) + " " + std::to_string(s.bonds.size()) + " 0 0 " +
                       (s.chiral ? "1" : "0"));
    appendV30(out, "BEGIN ATOM");
    for (size_t i = 0; i < s.atoms.size(); ++i) {
        const molAtom_c& a = s.atoms[i];
        std::string line = std::to_string(i + 1) + " " + symbolItem(a.symbol) + " " + number(a.x) + " " + number(a.y) + " " +
                           number(a.z) + " 0";
        if (a.charge != 0)
            line += " CHG=" + std::to_string(a.charge);
        if (a.radical != 0)
            line += " RAD=" + std::to_string(a.radical);
        if (a.isotope != 0)
            line += " MASS=" + std::to_string(absoluteMass(a));
        if (a.valence != 0)
            line += " VAL=" + std::to_string(a.valence == 15 ? -1 : a.valence);
        appendV30(out, line);
    }
    appendV30(out, "END ATOM");
    appendV30(out, "BEGIN BOND");
    for (size_t i = 0; i < s.bonds.size(); ++i) {
        const molBond_c& b = s.bonds[i];
        std::string line = std::to_string(i + 1) + " " + std::to_string(b.type) + " " + std::to_string(b.first + 1) +
                           " " + std::to_string(b.second + 1);
        if (int cfg = bondConfiguration(b))
            line += " CFG=" + std::to_string(cfg);
        appendV30(out, line);
    }
    appendV30(out, "END BOND");
    appendV30(out, "END CTAB");
    out += "M  END\n";
}

}  // namespace molfile_n
