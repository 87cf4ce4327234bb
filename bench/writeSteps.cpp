#include "bench/writeSteps.h"

#include "driver/libraryLock.h"
#include "write/inputRecord.h"
#include "write/writeEntry.h"
#include "write/writeOptions.h"

namespace bench_n {

int writeWithAnswer(molecule_c& molecule, outStream_c& out, const char* options, int code,
                    const inchi_Output& output) {
    InChI_n::inputRecord_c input;
    try {
        const string_c text = InChI_n::buildWriteOptions(molecule, options);
        InChI_n::prepareInput(molecule, input.get(), text);
        const int answer = InChI_n::guardedLibraryCall([&] { return code; });
        if (answer != inchi_Ret_OKAY && answer != inchi_Ret_WARNING) return 0;
        InChI_n::writeResult(out, output, text);
        return 1;
    } catch (...) {
        return 0;
    }
}

}  // namespace bench_n
