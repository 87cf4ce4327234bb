// A module whose every process ends at its fifth write without answering: it
// stands for a driver that brings a worker process down part way through.

#include <unistd.h>

#include "driver/entries.h"
#include "host/streams.h"

namespace {
int writes = 0;
}

TAVR_EXPORT int TavrPreWrite(attributes_c*, molecule_c*, void*) { return 1; }
TAVR_EXPORT int TavrRead(molecule_c*, inStream_c*, attributes_c*, const char*, void*) { return 0; }
TAVR_EXPORT int TavrWrite(molecule_c*, outStream_c* out, const char*, void*) {
    if (++writes == 5)
        _exit(9);
    out->write("InChI=1S/fake");
    return 1;
}
