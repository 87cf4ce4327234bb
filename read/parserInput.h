#pragma once
// What the InChI library's AuxInfo parser is given of the text the intake took
// from the stream. The parser takes "a single structure": handed the rest of a
// stream that holds further records, it joins every AuxInfo line it finds into
// one molecule. And a number too large for an int in the bond layer makes it
// write outside its own arrays, ending the host's process.

#include "containers/string_c.h"

namespace InChI_n {
namespace Read_n {

// The first line of auxInfo (up to its first CR or LF). Throws badData when a
// bond layer ("/rB:" up to the next '/') of that line holds a number above
// INT_MAX; no structure the parser can read has one.
string_c parserInput(const string_c& auxInfo);

}  // namespace Read_n
}  // namespace InChI_n
