#pragma once
// The two connection-table dialects the writer produces. Each appends the
// counts line, the blocks and "M  END" for the structure to out.

#include <string>

#include "converter/molStructure.h"

namespace molfile_n {

void formatV2000(const molStructure_c& structure, std::string& out);
void formatV3000(const molStructure_c& structure, std::string& out);

// Absolute mass of an isotope stored as a shift from the element's average
// mass (see molStructure.h); other values unchanged.
int absoluteMass(const molAtom_c& atom);

}  // namespace molfile_n
