// The length of a coordinate as the AuxInfo parser's strtod takes it: the
// measure without conversion must agree with strtod on every text, plain
// decimal numbers and everything strtod reads by other rules alike.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <vector>

#include "read/numberSpan.h"

using InChI_n::Read_n::numberSpan_c;

namespace {

size_t strtodSpan(const std::string& text) {
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return static_cast<size_t>(end - text.c_str());
}

// Every combination of sign, digits, point, fraction, exponent and what
// follows the number in a coordinate layer or in junk.
std::vector<std::string> composedTexts() {
    std::vector<std::string> texts;
    for (const char* sign : {"", "+", "-"})
        for (const char* whole : {"", "0", "7", "12", "00"})
            for (const char* point : {"", "."})
                for (const char* fraction : {"", "5", "25"})
                    for (const char* exponent : {"", "e", "E", "e5", "e+5", "e-12", "E+", "e-", "e+-1"})
                        for (const char* tail : {"", ",", ";", "/", "x", " 1", "e", ".5", "0x1", "p3"})
                            texts.push_back(std::string(sign) + whole + point + fraction + exponent + tail);
    return texts;
}

const std::vector<std::string> otherTexts = {
    "0x1p3", "0X1.8p1", "-0x", "0x", "+0xAp-2", "inf", "-INF", "infinity", "nan", "NaN(123)", "nanx",
    " 1.5", "\t2", "\v3", "  -4e2", ".", "-.", "+.e5", "..5", "1..2", "1.2.3", "1e99999", "-1e-99999",
    "1.7976931348623157e309", std::string(300, '9') + ".5", "0." + std::string(40, '0') + "1",
    "", ",", ";", "/rB:", "\xff"};

TEST(numberSpan, agreesWithStrtodOnEveryText) {
    const numberSpan_c span;
    for (const std::string& text : composedTexts()) EXPECT_EQ(span(text.c_str()), strtodSpan(text)) << "'" << text << "'";
    for (const std::string& text : otherTexts) EXPECT_EQ(span(text.c_str()), strtodSpan(text)) << "'" << text << "'";
}

// Under a locale whose decimal point is a comma, "1,5" is one number to strtod
// and "1.5" stops at the point; the measure follows the thread's locale.
TEST(numberSpan, followsTheThreadsDecimalPoint) {
    locale_t comma = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", nullptr);
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const locale_t previous = uselocale(comma);
    const numberSpan_c span;
    for (const char* text : {"1,5", "1.5", "-2,25e3", "0,", ",5"}) EXPECT_EQ(span(text), strtodSpan(text)) << text;
    uselocale(previous);
    freelocale(comma);
}

}  // namespace
