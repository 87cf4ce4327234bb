#include "molfileText.h"

#include <cstdio>

namespace molfileText_n {

std::string atomLine(const atomLine_c& a) {
    char line[128];
    std::snprintf(line, sizeof line, "%10.4f%10.4f%10.4f %-3s%2d%3d  0  0  0%3d  0  0  0  0  0  0", a.x, a.y, a.z,
                  a.symbol.c_str(), a.massDifference, a.chargeCode, a.valence);
    return line;
}

std::string bondLine(const bondLine_c& b) {
    char line[32];
    std::snprintf(line, sizeof line, "%3d%3d%3d%3d", b.first, b.second, b.type, b.stereo);
    return line;
}

std::string v2000(const std::vector<atomLine_c>& atoms, const std::vector<bondLine_c>& bonds,
                  const std::vector<std::string>& properties, bool chiral, const std::string& title) {
    char counts[64];
    std::snprintf(counts, sizeof counts, "%3zu%3zu  0  0%3d  0  0  0  0  0999 V2000", atoms.size(), bonds.size(),
                  chiral ? 1 : 0);
    std::string text = title + "\n  test\n\n" + counts + "\n";
    for (const atomLine_c& a : atoms)
        text += atomLine(a) + "\n";
    for (const bondLine_c& b : bonds)
        text += bondLine(b) + "\n";
    for (const std::string& p : properties)
        text += p + "\n";
    return text + "M  END\n";
}

}  // namespace molfileText_n
