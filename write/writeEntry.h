#pragma once
// The steps of TavrWrite around the library call. Each takes its own copy of
// the final option text.

#include <inchi_api.h>

#include "containers/string_c.h"

class molecule_c;
class outStream_c;

namespace InChI_n {

// The atom table in the hydrogen mode the options ask for, no 0D stereo, and
// the option text moved into szOptions. Throws what buildInputAtoms throws.
void prepareInput(molecule_c& molecule, inchi_Input& input, string_c options);

// The trimmed InChI text; unless "AUXNONE" was asked for and when the library
// gave one, a line end and the trimmed AuxInfo line.
void writeResult(outStream_c& out, const inchi_Output& output, string_c options);

}  // namespace InChI_n
