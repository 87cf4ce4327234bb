#include "write/writeEntry.h"

#include "driver/entries.h"
#include "driver/libraryLock.h"
#include "host/streams.h"
#include "write/inputAtomTable.h"
#include "write/inputRecord.h"
#include "write/writeOptions.h"

namespace InChI_n {

namespace {

bool librarySucceeded(int code) { return code == inchi_Ret_OKAY || code == inchi_Ret_WARNING; }

// Every failure inside the write becomes 0; records go back on every path,
// the output record first.
int writeMolecule(molecule_c& molecule, outStream_c& out, const char* callerOptions) {
    inputRecord_c input;
    outputRecord_c output;
    try {
        const string_c options = buildWriteOptions(molecule, callerOptions);
        prepareInput(molecule, input.get(), options);
        const int code = guardedLibraryCall([&] { return GetINCHI(&input.get(), &output.get()); });
        if (!librarySucceeded(code)) return 0;
        writeResult(out, output.get(), options);
        return 1;
    } catch (...) {
        return 0;
    }
}

}  // namespace

void prepareInput(molecule_c& molecule, inchi_Input& input, string_c options) {
    buildInputAtoms(molecule, input, asksTavrelHydrogens(options));
    input.num_stereo0D = 0;
    input.stereo0D = nullptr;
    input.szOptions = options.detach();
}

// Both texts are made before the first write, so that running out of heap
// leaves the stream untouched rather than holding an InChI without its AuxInfo.
void writeResult(outStream_c& out, const inchi_Output& output, string_c options) {
    string_c inchi(output.szInChI);
    inchi.trim();
    const bool withAuxInfo = output.szAuxInfo && !suppressesAuxInfo(options);
    string_c auxInfo(withAuxInfo ? output.szAuxInfo : nullptr);
    auxInfo.trim();
    out.write(inchi.cStr());
    if (withAuxInfo) {
        out.writeLine("");
        out.writeLine(auxInfo.cStr());
    }
}

}  // namespace InChI_n

TAVR_EXPORT int TavrWrite(molecule_c* molecule, outStream_c* out, const char* options, void*) {
    if (!molecule || !out) return 0;
    return InChI_n::writeMolecule(*molecule, *out, options);
}
