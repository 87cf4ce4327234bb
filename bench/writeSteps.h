#pragma once
// TavrWrite's own work with the InChI library taken out: the same steps in
// the same order (option text, atom table, lock, result output, records given
// back), with GetINCHI's answer handed in instead of computed. Timing this
// beside GetINCHI alone gives the driver's share of a write without taking
// the difference of two large, noisy figures.

#include <inchi_api.h>

class molecule_c;
class outStream_c;

namespace bench_n {

// What TavrWrite would answer had GetINCHI returned code with output.
int writeWithAnswer(molecule_c& molecule, outStream_c& out, const char* options, int code,
                    const inchi_Output& output);

}  // namespace bench_n
