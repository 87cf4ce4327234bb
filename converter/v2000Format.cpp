#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "converter/molfileFormats.h"

namespace molfile_n {

namespace {

// Atom-block charge codes: +3..+1 as 1..3, -1..-3 as 5..7; other charges go
// to "M  CHG" only.
int chargeCode(int charge) {
    if (charge >= 1 && charge <= 3)
        return 4 - charge;
    if (charge <= -1 && charge >= -3)
        return 4 - charge;
    return 0;
}

// The atom-block mass difference field holds the small shifts MDL defines.
bool fitsMassDifference(int isotope) {
    return isIsotopicShift(isotope) && isotope - isotopicShiftFlag >= -3 && isotope - isotopicShiftFlag <= 4;
}

void appendLine(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendLine(std::string& out, const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out += line;
    out += '\n';
}

// "M  CHG", "M  RAD", "M  ISO" lines of at most eight atom-value pairs.
void appendPropertyLines(std::string& out, const char* tag, const std::vector<std::pair<size_t, int>>& entries) {
    for (size_t start = 0; start < entries.size(); start += 8) {
        size_t n = std::min<size_t>(8, entries.size() - start);
        std::string line = "M  " + std::string(tag);
        char field[16];
        std::snprintf(field, sizeof field, "%3zu", n);
        line += field;
        for (size_t i = start; i < start + n; ++i) {
            std::snprintf(field, sizeof field, " %3zu %3d", entries[i].first + 1, entries[i].second);
            line += field;
        }
        out += line + '\n';
    }
}

}  // namespace

void formatV2000(const molStructure_c& s, std::string& out) {
    appendLine(out, "%3zu%3zu  0  0%3d  0  0  0  0  0999 V2000", s.atoms.size(), s.bonds.size(), s.chiral ? 1 : 0);
    // An "M  ISO" line voids every atom-block mass difference, so small shifts
    // go to the atom block only while no isotope needs that line.
    bool isoLines = false;
    for (const molAtom_c& a : s.atoms)
        isoLines = isoLines || (a.isotope != 0 && !fitsMassDifference(a.isotope));
    std::vector<std::pair<size_t, int>> charges, radicals, isotopes;
    for (size_t i = 0; i < s.atoms.size(); ++i) {
        const molAtom_c& a = s.atoms[i];
        int massDifference = !isoLines && a.isotope != 0 ? a.isotope - isotopicShiftFlag : 0;
        appendLine(out, "%10.4f%10.4f%10.4f %-3s%2d%3d  0  0  0%3d  0  0  0  0  0  0", a.x, a.y, a.z,
                   a.symbol.c_str(), massDifference, chargeCode(a.charge), a.valence);
        if (a.charge != 0)
            charges.emplace_back(i, a.charge);
        if (a.radical != 0)
            radicals.emplace_back(i, a.radical);
        if (isoLines && a.isotope != 0)
            isotopes.emplace_back(i, absoluteMass(a));
    }
    for (const molBond_c& b : s.bonds)
        appendLine(out, "%3zu%3zu%3d%3d", b.first + 1, b.second + 1, b.type, b.stereo);
    appendPropertyLines(out, "CHG", charges);
    appendPropertyLines(out, "RAD", radicals);
    appendPropertyLines(out, "ISO", isotopes);
    out += "M  END\n";
}

}  // namespace molfile_n
