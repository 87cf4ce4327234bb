#pragma once
// The driver's own failures. Empty classes without a base, thrown by value and
// caught by the exported entries, which turn them into their integer results.

namespace InChI_n {

class badAtom_c {};      // an atom the InChI input record cannot take
class badBondType_c {};  // a bond order or stereo code without a mapping

}  // namespace InChI_n
