#pragma once
// Get_inchi_Input_FromAuxInfo, GetINCHI and Free_inchi_Input defined in the
// test executable. Each counts its call, notes whether the calling thread
// holds the stand-in core library's lock, and forwards to the InChI library's
// own definition, the next one in lookup order; the parse and GetINCHI also
// keep what the driver handed them. A driver module loaded with dlopen calls
// them too when the executable exports its symbols (ENABLE_EXPORTS); the
// driver's parts linked into the executable always do.

#include <inchi_api.h>

#include <functional>
#include <string>
#include <vector>

namespace libraryWatch_n {

struct libraryCalls_c {
    long parses = 0;       // Get_inchi_Input_FromAuxInfo
    long identifiers = 0;  // GetINCHI
    long inputFrees = 0;   // Free_inchi_Input, but not the library's own within a parse
    // Most conversion calls (parses and GetINCHI together) in progress at once.
    long mostConversionsAtOnce = 0;
    // Conversion calls entered while the calling thread held no lock.
    long conversionsUnlocked = 0;
    // Free_inchi_Input calls made while the calling thread held the lock.
    long freesLocked = 0;
    // The library's answer to the latest GetINCHI call.
    int lastIdentifierCode = 0;
};

libraryCalls_c libraryCalls();
void resetLibraryCalls();

// Runs after every real parse, on its return code and record; its result is
// what the parse answers. Set it only while no parse is running.
using parseTamper_t = std::function<int(int code, InchiInpData& data)>;
void setParseTamper(parseTamper_t tamper);

// The text handed to the latest parse.
std::string lastParsedText();

// The input of the latest GetINCHI call: its atom records and option text.
std::vector<inchi_Atom> lastIdentifierAtoms();
std::string lastIdentifierOptions();

}  // namespace libraryWatch_n
