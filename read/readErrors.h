#pragma once
// Failures of the read path's own making. Empty classes without a base, thrown
// by value; the read entry turns each into its result 0 and nothing is said.

namespace InChI_n {
namespace Read_n {

class badHeader {};  // a stream of 7 bytes or more that does not start with "InChI="
class badData {};    // no AuxInfo text, or a parsed record the builder cannot trust

}  // namespace Read_n
}  // namespace InChI_n
