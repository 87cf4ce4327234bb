// Element symbols by atomic number, as the periodic table writes them.
#include "refhost/elements.h"

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

// Every symbol is an upper-case letter, alone or followed by one lower-case
// letter, so a table by those two letters finds it without a search: a read
// names the element of every atom it makes.
class symbolTable_c {
public:
    symbolTable_c()
    {
        for (int z = 1; z <= maxAtomicNumber; ++z)
            numbers_[symbols[z][0] - 'A'][column(symbols[z][1])] = static_cast<unsigned char>(z);
    }
    int find(const char* symbol) const
    {
        const char first = symbol[0];
        const char second = symbol[1];
        if (first < 'A' || first > 'Z')
            return 0;
        if (second == '\0')
            return numbers_[first - 'A'][0];
        if (second < 'a' || second > 'z' || symbol[2] != '\0')
            return 0;
        return numbers_[first - 'A'][column(second)];
    }

private:
    static int column(char second) { return second == '\0' ? 0 : second - 'a' + 1; }
    unsigned char numbers_[26][27] = {};
};

}  // namespace

int atomicNumberOf(const char* symbol)
{
    if (symbol == nullptr || symbol[0] == '\0')
        return 0;
    // Deuterium and tritium are written with symbols of their own.
    if ((symbol[0] == 'D' || symbol[0] == 'T') && symbol[1] == '\0')
        return 1;
    static const symbolTable_c table;
    return table.find(symbol);
}

const char* elementSymbol(int atomicNumber)
{
    if (atomicNumber < 1 || atomicNumber > maxAtomicNumber)
        return nullptr;
    return symbols[atomicNumber];
}

}  // namespace refhost
