#pragma once
// printf-style formatting into a std::string of whatever length the text
// needs, for tests that build molfile lines and molecule descriptions.

#include <cstdarg>
#include <cstdio>
#include <string>

namespace testSupport_n {

inline std::string formatText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

inline std::string formatText(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list measured;
    va_copy(measured, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, measured);
    va_end(measured);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(&text[0], text.size() + 1, pattern, args);
    va_end(args);
    return text;
}

}  // namespace testSupport_n
