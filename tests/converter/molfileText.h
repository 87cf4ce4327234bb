#pragma once
// Hand-made molfile text for the molfile layer's tests: V2000 atom and bond
// lines in their fixed columns, so a test states only the fields it is about.

#include <string>
#include <vector>

namespace molfileText_n {

struct atomLine_c {
    std::string symbol = "C";
    double x = 0, y = 0, z = 0;
    int massDifference = 0;
    int chargeCode = 0;
    int valence = 0;
};

struct bondLine_c {
    int first, second, type = 1, stereo = 0;
};

std::string atomLine(const atomLine_c& atom);
std::string bondLine(const bondLine_c& bond);
// Header, counts line (with the chiral flag), atom and bond lines, the
// property lines and "M  END".
std::string v2000(const std::vector<atomLine_c>& atoms, const std::vector<bondLine_c>& bonds,
                  const std::vector<std::string>& properties = {}, bool chiral = false,
                  const std::string& title = "title");

}  // namespace molfileText_n
