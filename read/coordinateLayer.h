#pragma once
// The coordinate layer ("/rC:") as the InChI library's AuxInfo parser takes it.
// Besides the numbers, the parser keeps each atom's coordinates as text in a
// 32-byte record laid out like a molfile's three 10-column fields: it copies
// the text of x, y and z, each as far as strtod reads it (leading white space
// included), to columns 0, 10 and 20 of the atom's record without a bound. A
// z longer than 12 characters, a y longer than 22 or an x longer than 32 is
// written over the next atom's record, and for the last atom past the end of
// the parser's heap block. The library's own AuxInfo writes at most 10
// characters a coordinate, so no text it made comes near those lengths.

namespace InChI_n {
namespace Read_n {

// True when a coordinate layer of the line ("/rC:" up to the next '/') holds
// a coordinate the parser would copy past its place in the atom's record.
// Every ';'-ended entry is looked at, also entries past the atom count.
bool coordinateLayerRefused(const char* line);

}  // namespace Read_n
}  // namespace InChI_n
