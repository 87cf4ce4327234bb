#pragma once
// The two connection-table dialects. Each reads the lines after the counts
// line up to and including "M  END" into the structure; the header lines are
// already in it.

#include <string_view>

#include "converter/molStructure.h"
#include "converter/molfileLines.h"

namespace molfile_n {

void parseV2000(molfileLines_c& lines, std::string_view countsLine, molStructure_c& structure);
void parseV3000(molfileLines_c& lines, molStructure_c& structure);

// Whether a symbol names no element the converter passes on as one: queries,
// lists, R groups, pseudo atoms. D and T count as elements (hydrogen isotopes).
bool isPseudoSymbol(const std::string& symbol);

// Whether a symbol can be handed to the host, which takes NUL-terminated text:
// a NUL byte would cut it short, "C\0x" becoming a carbon.
bool isSymbolText(const std::string& symbol);

}  // namespace molfile_n
