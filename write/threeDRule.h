#pragma once
// A molecule is 3D when some atom's z is not strictly between -2^-23 and
// +2^-23. The comparison is written so that a z that is not a number counts
// as 3D.

namespace InChI_n {

constexpr double threeDBound = 1.0 / 8388608.0;  // 2^-23 = 1.1920928955078125e-07

inline bool zMakesThreeD(double z) { return !(z > -threeDBound && z < threeDBound); }

}  // namespace InChI_n
