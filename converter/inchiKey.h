#pragma once
// The InChIKey of an InChI, from the InChI library.

#include <string>

namespace converter_n {

// "InChIKey=..." for the InChI text; empty when the library cannot hash it.
std::string inchiKeyLine(const std::string& inchi);

}  // namespace converter_n
