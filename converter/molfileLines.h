#pragma once
// The lines of one record, numbered as in the file, and the fixed-column and
// token fields the parsers read from them. Every failure is a molfileError_c
// that names the line and the field.

#include <cstddef>
#include <string>
#include <string_view>

namespace molfile_n {

class molfileLines_c {
public:
    molfileLines_c(const std::string& text, size_t firstLine);

    bool atEnd() const { return position_ >= text_.size(); }
    // The next line, without its line end. At the end of the record it throws
    // an error naming what was expected there.
    std::string_view next(const std::string& expected);
    // File line number of the line next() returned last.
    size_t line() const { return line_; }

private:
    const std::string& text_;
    size_t position_ = 0;
    size_t line_;
};

// Columns [begin, begin + width) of line with blanks trimmed; whatever part of
// them the line holds (an empty text when it ends before them).
std::string_view column(std::string_view line, size_t begin, size_t width);
// Blank-trimmed text.
std::string_view trimmed(std::string_view text);

// Field names are views: they become texts only in an error, so that reading
// a field makes no text of its name.
// A whole number, optionally signed; an empty text is emptyValue.
int parseInt(std::string_view text, size_t line, std::string_view field, int emptyValue = 0);
// A finite decimal number; an empty text is an error.
double parseDouble(std::string_view text, size_t line, std::string_view field);
// parseInt that also insists on [low, high].
int parseIntIn(std::string_view text, int low, int high, size_t line, std::string_view field,
               int emptyValue = 0);

}  // namespace molfile_n
