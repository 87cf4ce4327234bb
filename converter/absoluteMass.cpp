#include <cmath>

#include "converter/molfileFormats.h"
#include "host/tavrelcore.h"
#include "refhost/elements.h"

namespace molfile_n {

// The InChI library measures shifts from the average mass rounded to the
// nearest whole number; D and T are hydrogen.
int absoluteMass(const molAtom_c& atom) {
    if (!isIsotopicShift(atom.isotope))
        return atom.isotope;
    int number = atom.symbol == "D" || atom.symbol == "T" ? 1 : refhost::atomicNumberOf(atom.symbol.c_str());
    if (number == 0)
        return 0;
    return int(std::lround(TavrAtomicNumberToMass(number, 0))) + atom.isotope - isotopicShiftFlag;
}

}  // namespace molfile_n
