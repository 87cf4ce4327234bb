#pragma once
// The driver twice over: the built module loaded as a host loads it (its
// entries are what a host pays for), and the driver's parts linked in, so
// that their steps can be timed one by one. Both take their own library lock.

#include "converter/driverModule.h"

namespace bench_n {

// Loaded on first use, kept for the process.
const converter_n::driverModule_c& loadedDriver();

// Makes the linked parts' library lock, as loading the module does for the
// module's copy; afterwards their library calls take it.
void startLinkedParts();

}  // namespace bench_n
