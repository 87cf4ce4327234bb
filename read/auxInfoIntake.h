#pragma once
// The read path's only contact with the input stream: the "InChI=" header is
// checked and the text from the first "AuxInfo=" to the end of the stream is
// taken out for the InChI library's AuxInfo parser. The identifier itself is
// never parsed.

#include "containers/string_c.h"

class inStream_c;

namespace InChI_n {
namespace Read_n {

// The AuxInfo text, never empty, untrimmed: line ends and anything after the
// AuxInfo line (further records) stay in it. Throws badHeader when a stream of
// 7 or more bytes does not begin with "InChI=", badData when no AuxInfo text
// can be taken; exceptions of the stream and of allocation pass through.
string_c readAuxInfo(inStream_c& stream);

}  // namespace Read_n
}  // namespace InChI_n
