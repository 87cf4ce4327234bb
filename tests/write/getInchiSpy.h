#pragma once
// GetINCHI and Get_inchi_Input_FromAuxInfo defined in the test executable:
// they record what the driver hands the library and what the library answers,
// then forward to the library's own functions (the next definitions in lookup
// order). Executables that export them (ENABLE_EXPORTS) also see the calls of
// a dlopen'ed driver module.

#include <cstdint>
#include <string>
#include <vector>

#include <inchi_api.h>

namespace writeTest_n {

struct getInchiStats_c {
    long calls = 0;          // GetINCHI calls
    long auxInfoCalls = 0;   // Get_inchi_Input_FromAuxInfo calls
    long maxConcurrent = 0;  // most conversion calls of either kind in progress at one moment
    long lockNotHeld = 0;    // conversion calls made while this thread held no stand-in lock
    int lastCode = 0;        // the library's answer to the latest GetINCHI call
};

getInchiStats_c getInchiStats();
void resetGetInchiStats();

// The input of the latest call: its atom records and option text.
std::vector<inchi_Atom> lastInputAtoms();
std::string lastInputOptions();

}  // namespace writeTest_n
