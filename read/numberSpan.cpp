#include "read/numberSpan.h"

#include <langinfo.h>

#include <cstdlib>
#include <cstring>

namespace InChI_n {
namespace Read_n {

namespace {

constexpr std::size_t notPlain = static_cast<std::size_t>(-1);

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t strtodSpan(const char* text) {
    char* end = nullptr;
    std::strtod(text, &end);
    return static_cast<std::size_t>(end - text);
}

const char* skipDigits(const char* p) {
    while (isDigit(*p)) ++p;
    return p;
}

// [+-] digits [. digits] [(e|E) [+-] digits], at least one mantissa digit,
// measured as strtod measures it: the longest prefix of that form, an
// exponent without digits left out. notPlain for any other start.
std::size_t plainSpan(const char* text) {
    const char* p = text;
    if (*p == '+' || *p == '-') ++p;
    // "0x" starts a hexadecimal number, which strtod reads by other rules.
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return notPlain;
    const char* mantissa = p;
    p = skipDigits(p);
    bool anyDigit = p != mantissa;
    if (*p == '.') {
        const char* fraction = p + 1;
        p = skipDigits(fraction);
        anyDigit = anyDigit || p != fraction;
    }
    if (!anyDigit) return notPlain;
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-') ++exponent;
        const char* end = skipDigits(exponent);
        if (end != exponent) p = end;
    }
    return static_cast<std::size_t>(p - text);
}

}  // namespace

// strtod reads the decimal point of the calling thread's locale, which is
// what nl_langinfo reports too, for a few loads instead of a conversion.
numberSpan_c::numberSpan_c() : dotIsDecimalPoint_(std::strcmp(nl_langinfo(RADIXCHAR), ".") == 0) {}

std::size_t numberSpan_c::operator()(const char* text) const {
    if (dotIsDecimalPoint_) {
        const std::size_t plain = plainSpan(text);
        if (plain != notPlain) return plain;
    }
    return strtodSpan(text);
}

}  // namespace Read_n
}  // namespace InChI_n
