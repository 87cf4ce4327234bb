#include "containers/string_c.h"

#include <cstring>

namespace {

// C-locale classes on the byte value, independent of any locale the host sets.
bool isWhite(char c) {
    const auto v = static_cast<unsigned char>(c);
    return v == 0x20 || (v >= 0x09 && v <= 0x0D);
}

char upperCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

uint32_t textLength(const char* source) { return static_cast<uint32_t>(std::strlen(source)); }

}  // namespace

string_c::string_c() : text(nullptr), textSize(0) {}

string_c::string_c(const char* source) : text(nullptr), textSize(0) {
    if (!source) return;
    const uint32_t n = textLength(source);
    text = new char[n + 1];
    std::memcpy(text, source, n + 1);
    textSize = n + 1;
}

string_c::string_c(const string_c& other) : text(nullptr), textSize(0) {
    if (!other.text) return;
    text = new char[other.textSize];
    std::memcpy(text, other.text, other.textSize - 1);
    text[other.textSize - 1] = '\0';
    textSize = other.textSize;
}

string_c::~string_c() { delete[] text; }

uint32_t string_c::length() const { return textSize == 0 ? 0 : textSize - 1; }

string_c& string_c::assign(const char* source, uint32_t n) {
    if (!source) {
        delete[] text;
        text = nullptr;
        textSize = 0;
        return *this;
    }
    if (n + 1 > textSize) {
        char* fresh = new char[n + 1];
        std::memcpy(fresh, source, n);
        fresh[n] = '\0';
        // Freed only after the copy: source may lie in the old buffer.
        delete[] text;
        text = fresh;
    } else {
        if (source != text) std::memmove(text, source, n);
        text[n] = '\0';
    }
    textSize = n + 1;
    return *this;
}

string_c& string_c::assign(const string_c& other) { return assign(other.text, other.length()); }

string_c& string_c::append(const char* source, uint32_t n) {
    if (n == 0 || !source) return *this;
    if (length() == 0) return assign(source, n);
    const uint32_t present = length();
    char* fresh = new char[textSize + n];
    std::memcpy(fresh, text, present);
    std::memcpy(fresh + present, source, n);
    fresh[present + n] = '\0';
    delete[] text;
    text = fresh;
    textSize += n;
    return *this;
}

string_c& string_c::append(const char* source) {
    if (!source) return *this;
    return append(source, textLength(source));
}

string_c& string_c::append(const string_c& other) { return append(other.text, other.length()); }

string_c& string_c::erase(uint32_t pos, uint32_t n) {
    if (pos >= textSize || n == 0) return *this;
    // pos < textSize here, so textSize - pos cannot wrap, and neither can pos + n
    // where it is formed.
    const bool tailKept = n < textSize - pos;
    const uint32_t newSize = tailKept ? textSize - n : pos + 1;
    char* fresh = new char[newSize];
    std::memcpy(fresh, text, pos);
    if (tailKept) std::memcpy(fresh + pos, text + pos + n, textSize - 1 - pos - n);
    fresh[newSize - 1] = '\0';
    delete[] text;
    text = fresh;
    textSize = newSize;
    return *this;
}

string_c& string_c::prefixWords(char c) {
    const uint32_t n = length();
    if (n == 0) return *this;
    char* fresh = new char[2 * size_t{n} + 1];
    uint32_t out = 0;
    bool inWord = false;
    for (uint32_t i = 0; i < n; ++i) {
        const char ch = text[i];
        if (!inWord && !isWhite(ch)) {
            fresh[out++] = c;
            inWord = true;
        } else if (inWord && isWhite(ch)) {
            inWord = false;
        }
        fresh[out++] = ch;
    }
    fresh[out] = '\0';
    delete[] text;
    text = fresh;
    textSize = out + 1;
    return *this;
}

string_c& string_c::toUpper() {
    if (!text) return *this;
    for (char* p = text; *p != '\0'; ++p) *p = upperCase(*p);
    return *this;
}

string_c& string_c::trimRight() {
    if (!text) return *this;
    while (textSize > 1 && isWhite(text[textSize - 2])) {
        text[textSize - 2] = '\0';
        --textSize;
    }
    return *this;
}

string_c& string_c::trimLeft() {
    if (!text || !isWhite(text[0])) return *this;
    uint32_t count = 0;
    while (text[count] != '\0' && isWhite(text[count])) ++count;
    return erase(0, count);
}

string_c& string_c::trim() { return trimLeft().trimRight(); }

uint32_t string_c::find(const string_c& needle, uint32_t start, bool caseSensitive) const {
    const uint32_t l = length();
    if (!text || start >= l) return l;
    if (!caseSensitive) {
        string_c upperText(*this);
        string_c upperNeedle(needle);
        return upperText.toUpper().find(upperNeedle.toUpper(), start, true);
    }
    const char* hit = std::strstr(text + start, needle.cStr());
    return hit ? static_cast<uint32_t>(hit - text) : l;
}

bool string_c::equals(const string_c& other) const { return std::strcmp(cStr(), other.cStr()) == 0; }

char* string_c::detach() {
    if (!text) return new char[1]{'\0'};
    char* buffer = text;
    text = nullptr;
    textSize = 0;
    return buffer;
}
