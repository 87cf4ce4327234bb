#include "converter/molfileLines.h"

#include <charconv>
#include <cmath>

#include "converter/molfile.h"

namespace molfile_n {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Bytes outside printable ASCII are shown as escapes, so that a binary file
// gives a readable message.
std::string quoted(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "'";
    for (unsigned char c : text.substr(0, 40)) {
        if (c >= 0x20 && c < 0x7f) {
            out += char(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    if (text.size() > 40)
        out += "...";
    return out + "'";
}

}  // namespace

molfileLines_c::molfileLines_c(const std::string& text, size_t firstLine)
    : text_(text), line_(firstLine - 1) {}

std::string_view molfileLines_c::next(const std::string& expected) {
    if (atEnd())
        throw molfileError_c(line_ + 1, expected, "missing: the record ends here");
    size_t end = text_.find('\n', position_);
    if (end == std::string::npos)
        end = text_.size();
    std::string_view result(text_.data() + position_, end - position_);
    position_ = end + 1;
    ++line_;
    return result;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view column(std::string_view line, size_t begin, size_t width) {
    if (begin >= line.size())
        return {};
    return trimmed(line.substr(begin, width));
}

int parseInt(std::string_view text, size_t line, std::string_view field, int emptyValue) {
    text = trimmed(text);
    if (text.empty())
        return emptyValue;
    std::string_view digits = text;
    if (digits.front() == '+')
        digits.remove_prefix(1);
    int value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range)
        throw molfileError_c(line, std::string(field), quoted(text) + " is out of range");
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
        throw molfileError_c(line, std::string(field), quoted(text) + " is not a whole number");
    return value;
}

int parseIntIn(std::string_view text, int low, int high, size_t line, std::string_view field,
               int emptyValue) {
    int value = parseInt(text, line, field, emptyValue);
    if (value < low || value > high)
        throw molfileError_c(line, std::string(field),
                             std::to_string(value) + " is not in " + std::to_string(low) + ".." +
                                 std::to_string(high));
    return value;
}

double parseDouble(std::string_view text, size_t line, std::string_view field) {
    text = trimmed(text);
    if (text.empty())
        throw molfileError_c(line, std::string(field), "missing");
    std::string_view digits = text;
    if (digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::fixed | std::chars_format::scientific);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        throw molfileError_c(line, std::string(field), quoted(text) + " is not a number");
    return value;
}

}  // namespace molfile_n
