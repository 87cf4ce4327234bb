#pragma once
// The option text of a write: the caller's words, normalised, with the
// driver's own words added, each carrying the InChI library's option prefix.
// The same final text feeds the library (szOptions), the hydrogen mode of the
// atom table ("AddTavrelH") and the AuxInfo switch ("AUXNONE").

#include "containers/string_c.h"

class molecule_c;

namespace InChI_n {

// The library reads an option word only behind its platform's prefix and
// silently drops a word with the other one, so a fixed prefix would turn every
// caller option into a standard InChI on one of the two platforms.
#ifdef _WIN32
constexpr char optionPrefix = '/';
#else
constexpr char optionPrefix = '-';
#endif

// Trim, upper-case, " NEWPS", the derived chiral flag when "SUCF" comes
// without one of the caller's own, then the prefix before every word.
// Throws std::bad_alloc and lets a host exception through.
string_c buildWriteOptions(molecule_c& molecule, const char* callerOptions);

// " CHIRALFLAGON" exactly when the molecule has kind-24 objects, one of them
// of type 12, and all of types 12, 15, 16 or 17; else " CHIRALFLAGOFF".
string_c chiralFlagOption(molecule_c& molecule);

// Hydrogen mode of the atom table: "AddTavrelH" in any letter case.
bool asksTavrelHydrogens(const string_c& options);
// "AUXNONE" in any letter case: the AuxInfo line is not written.
bool suppressesAuxInfo(const string_c& options);

}  // namespace InChI_n
