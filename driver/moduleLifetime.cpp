// The module's load step. Nothing else of the driver runs at load or unload.
#include "driver/libraryLock.h"

namespace {
__attribute__((constructor)) void loadModule() { InChI_n::startModule(); }
}  // namespace
