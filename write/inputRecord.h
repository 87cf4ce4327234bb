#pragma once
// The two InChI library records of one write, each released on every path:
// the output record's texts belong to the library (FreeINCHI), the input
// record's atom array and option text to the driver's heap (freeInput).
// Declared input first, output second, so the output goes back first.

#include <inchi_api.h>

namespace InChI_n {

// Frees atom, szOptions and stereo0D, in that order, each only when set, and
// forgets them. All three come from the driver's heap as arrays; the record is
// never the library's to free.
inline void freeInput(inchi_Input& input) {
    delete[] input.atom;
    input.atom = nullptr;
    delete[] input.szOptions;
    input.szOptions = nullptr;
    delete[] input.stereo0D;
    input.stereo0D = nullptr;
}

class inputRecord_c {
public:
    inputRecord_c() : input_{} {}
    ~inputRecord_c() { freeInput(input_); }
    inputRecord_c(const inputRecord_c&) = delete;
    inputRecord_c& operator=(const inputRecord_c&) = delete;

    inchi_Input& get() { return input_; }

private:
    inchi_Input input_;
};

class outputRecord_c {
public:
    outputRecord_c() : output_{} {}
    // Also when the library was never reached: FreeINCHI skips null texts.
    ~outputRecord_c() { FreeINCHI(&output_); }
    outputRecord_c(const outputRecord_c&) = delete;
    outputRecord_c& operator=(const outputRecord_c&) = delete;

    inchi_Output& get() { return output_; }

private:
    inchi_Output output_;
};

}  // namespace InChI_n
