#pragma once
// The module's exported entries: plain C functions with integer results. These
// are the only symbols the module exports; a host finds them with dlsym.

class molecule_c;
class inStream_c;
class outStream_c;
class attributes_c;

extern "C" {
// 1 when the AuxInfo layer was parsed and built into the molecule, else 0.
int TavrRead(molecule_c* molecule, inStream_c* in, attributes_c* attributes, const char* options,
             void* reserved);
// 1 when the InChI (and AuxInfo) text was written, else 0.
int TavrWrite(molecule_c* molecule, outStream_c* out, const char* options, void* reserved);
// 1; 5 when an attribute call reported failure; a host tavrelException_c's code; 16.
int TavrPreWrite(attributes_c* attributes, molecule_c* molecule, void* reserved);
}

using TavrReadFn = int (*)(molecule_c*, inStream_c*, attributes_c*, const char*, void*);
using TavrWriteFn = int (*)(molecule_c*, outStream_c*, const char*, void*);
using TavrPreWriteFn = int (*)(attributes_c*, molecule_c*, void*);

// Only these three leave the module: everything else is built hidden.
#define TAVR_EXPORT extern "C" __attribute__((visibility("default")))
