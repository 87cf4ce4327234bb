// Element symbols by atomic number, as the periodic table writes them.
#include "refhost/elements.h"

#include <cstring>

namespace refhost {

namespace {

const char* const symbols[maxAtomicNumber + 1] = {
    nullptr,
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne",
    "Na", "Mg", "Al", "Si", "P",  "S",  "Cl", "Ar", "K",  "Ca",
    "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr",
    "Nb", "Mo", "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn",
    "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb",
    "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg",
    "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm",
    "Md", "No", "Lr", "Rf", "Db", "Sg", "Bh", "Hs", "Mt", "Ds",
    "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og",
};

}  // namespace

int atomicNumberOf(const char* symbol)
{
    if (symbol == nullptr || symbol[0] == '\0')
        return 0;
    // Deuterium and tritium are written with symbols of their own.
    if ((symbol[0] == 'D' || symbol[0] == 'T') && symbol[1] == '\0')
        return 1;
    for (int z = 1; z <= maxAtomicNumber; ++z) {
        if (std::strcmp(symbols[z], symbol) == 0)
            return z;
    }
    return 0;
}

const char* elementSymbol(int atomicNumber)
{
    if (atomicNumber < 1 || atomicNumber > maxAtomicNumber)
        return nullptr;
    return symbols[atomicNumber];
}

}  // namespace refhost
