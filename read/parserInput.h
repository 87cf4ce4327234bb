#pragma once
// What the InChI library's AuxInfo parser is given of the text the intake took
// from the stream. The parser takes "a single structure": handed the rest of a
// stream that holds further records, it joins every AuxInfo line it finds into
// one molecule. Its bond layer needs guarding too: a bond to atom 0 (atoms are
// counted from 1) or to a number too large for an int makes it read and write
// outside its arrays, corrupting the host's heap or ending its process, and an
// atom with more than MAXVAL bonds overruns the atom's neighbour arrays into
// the atom's other fields, which it then reports as a sound structure. Its
// coordinate layer is guarded as read/coordinateLayer.h describes.

#include "containers/string_c.h"

namespace InChI_n {
namespace Read_n {

// The first line of auxInfo (up to its first CR or LF). Throws badData when a
// bond layer ("/rB:" up to the next '/') of that line holds the number 0 or a
// number above INT_MAX, or lists more than MAXVAL bonds at one atom, or when
// a coordinate layer holds a coordinate too long for the parser's record; no
// structure the parser can read has any of these.
string_c parserInput(const string_c& auxInfo);

}  // namespace Read_n
}  // namespace InChI_n
