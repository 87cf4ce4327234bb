// TavrRead: one structure from InChI text with its AuxInfo layer into a host
// molecule. Every failure is the result 0; nothing is logged.
#include <inchi_api.h>

#include <cstdint>

#include "containers/string_c.h"
#include "driver/entries.h"
#include "driver/libraryLock.h"
#include "host/attributes_c.h"
#include "read/auxInfoIntake.h"
#include "read/parsedInput_c.h"
#include "read/parserInput.h"
#include "read/structureBuilder.h"

namespace {

// The declaration the pre-write entry makes for a molecule of two or more
// atoms; a read never sets the group's second key.
constexpr int32_t structureGroup = 10;
constexpr int32_t structureKey = 0x0A01;

// The library adds no implicit hydrogens of its own: the counts it read are
// the ones the host gets.
constexpr int doNotAddHydrogens = 1;
constexpr int sameUnknownAndUndefinedStereo = 0;

bool parsed(int rc) { return rc == inchi_Ret_OKAY || rc == inchi_Ret_WARNING; }

// True when the AuxInfo text was parsed and built. The lock covers the parse
// alone: the stream is read and the molecule is built without it. The parser
// sees the first AuxInfo line only: further records of the stream would join
// the molecule.
bool readStructure(molecule_c& molecule, inStream_c& in, InchiInpData& data) {
    const string_c auxInfo = InChI_n::Read_n::readAuxInfo(in);
    string_c line = InChI_n::Read_n::parserInput(auxInfo);
    const int rc = InChI_n::guardedLibraryCall([&] {
        return Get_inchi_Input_FromAuxInfo(line.text, doNotAddHydrogens, sameUnknownAndUndefinedStereo, &data);
    });
    if (!parsed(rc)) return false;
    InChI_n::Read_n::buildStructure(molecule, data);
    return true;
}

// Statuses are not examined: a declaration the host refuses leaves the read
// successful. A throwing attribute set fails the read, as any other host
// exception in the entry does.
bool declareRead(attributes_c& attributes) {
    try {
        attributes.openGroup(structureGroup);
        attributes.setValue(structureKey, 1);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

TAVR_EXPORT int TavrRead(molecule_c* molecule, inStream_c* in, attributes_c* attributes, const char*, void*) {
    if (!molecule || !in || !attributes) return 0;
    InChI_n::Read_n::parsedInput_c input;
    bool success = false;
    try {
        success = readStructure(*molecule, *in, input.parserData());
    } catch (...) {
        success = false;
    }
    if (success) success = declareRead(*attributes);
    return success ? 1 : 0;
}
