// A module that exports TavrRead and TavrWrite but not TavrPreWrite: the tool
// must refuse it before converting anything.

#include "driver/entries.h"

TAVR_EXPORT int TavrRead(molecule_c*, inStream_c*, attributes_c*, const char*, void*) { return 0; }
TAVR_EXPORT int TavrWrite(molecule_c*, outStream_c*, const char*, void*) { return 0; }
