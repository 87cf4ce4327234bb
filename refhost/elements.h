#pragma once
// Element symbols of the periodic table, by atomic number.

namespace refhost {

constexpr int maxAtomicNumber = 118;
// 0 for a symbol that names no element (or null); "D" and "T" are hydrogen.
// Case matters: "CO" is no element.
int atomicNumberOf(const char* symbol);
// Null outside 1..maxAtomicNumber.
const char* elementSymbol(int atomicNumber);

}  // namespace refhost
