#pragma once
// A host molecule, and how the host misbehaves around it, as a byte string: the
// language of the write fuzz target. Each step is an opcode byte and its
// operands, read front to back; missing bytes read as zero, so every byte
// string is a recipe. The steps reach what a real host can hand the driver and
// more: any kind, symbol, charge, count and valence, coordinates with any bit
// pattern (NaN and infinities included), bonds of any order and stereo code
// between any indices (atoms, non-atoms, nothing), groups of any type, atom
// indices without an atom object, neighbours without a bond, host operations
// that throw, attribute calls that fail.

#include <cstddef>
#include <cstdint>
#include <string>

namespace refhost {
class refMolecule_c;
}

namespace fuzz_n {

struct hostConduct_c {
    std::string options;             // the write's option text
    uint32_t throwAtCall = 0;        // the n-th host call throws (0: none)
    uint8_t throwKind = 0;           // 0 tavrelException_c, 1 std::runtime_error, 2 std::bad_alloc, 3 an int
    int32_t throwCode = 0;           // the tavrelException_c's code
    uint8_t failingAttributes = 0;   // bit i: the i-th attribute call reports failure
};

// Builds the recipe into an empty molecule; returns how the host behaves.
hostConduct_c buildFromRecipe(const uint8_t* data, size_t size, refhost::refMolecule_c& molecule);

// The recipe of a molecule as the converter reads it from a molfile, so that
// the sample corpora seed the write target.
std::string recipeOf(refhost::refMolecule_c& molecule);

}  // namespace fuzz_n
