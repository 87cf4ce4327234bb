#pragma once
// How many characters strtod takes from a text: the InChI library's AuxInfo
// parser copies each coordinate as far as its strtod reads, so the read path
// must know that length exactly. Converting every coordinate just to learn
// it cost a third of a read; the plain decimal numbers that the library
// itself writes are measured without converting them, and everything else
// (blanks, hexadecimal, infinities, NaNs, text without digits) by strtod.

#include <cstddef>

namespace InChI_n {
namespace Read_n {

class numberSpan_c {
public:
    // Learns whether '.' is the decimal point of the calling thread's locale;
    // when it is not, every length comes from strtod. Use the object in the
    // thread, and under the locale, of the parser.
    numberSpan_c();

    // The number of characters strtod(text, &end) takes: end - text.
    std::size_t operator()(const char* text) const;

private:
    bool dotIsDecimalPoint_;
};

}  // namespace Read_n
}  // namespace InChI_n
