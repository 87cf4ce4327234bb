#pragma once
// A GetINCHI defined in the test executable: it records what the driver hands
// the library and what the library answers, then forwards to the library's own
// GetINCHI (the next definition in lookup order). Executables that export it
// (ENABLE_EXPORTS) also see the calls of a dlopen'ed driver module.

#include <cstdint>
#include <string>
#include <vector>

#include <inchi_api.h>

namespace writeTest_n {

struct getInchiStats_c {
    long calls = 0;
    long maxConcurrent = 0;  // most calls in progress at one moment
    long lockNotHeld = 0;    // calls made while this thread held no stand-in lock
    int lastCode = 0;        // the library's answer to the latest call
};

getInchiStats_c getInchiStats();
void resetGetInchiStats();

// The input of the latest call: its atom records and option text.
std::vector<inchi_Atom> lastInputAtoms();
std::string lastInputOptions();

}  // namespace writeTest_n
