#pragma once
// The driver's owning buffer for one NUL-terminated single-byte text.
// Invariants: text is null exactly when textSize is 0; otherwise textSize - 1
// is the number of characters before the first terminator. The buffer may be
// larger than textSize; only textSize is ever consulted. Storage comes from the
// ordinary heap (new char[]); every growing edit allocates before it changes
// anything, so std::bad_alloc leaves the previous text in place.
// Character classes are those of the C locale on the byte value.

#include <cstdint>

class string_c {
public:
    char* text;
    uint32_t textSize;

    string_c();
    explicit string_c(const char* source);  // null: no storage
    string_c(const string_c& other);
    string_c& operator=(const string_c&) = delete;
    ~string_c();

    uint32_t length() const;
    const char* cStr() const { return text ? text : ""; }

    string_c& assign(const char* source, uint32_t n);  // null frees the storage
    string_c& assign(const string_c& other);
    string_c& append(const char* source, uint32_t n);
    string_c& append(const char* source);  // null: nothing
    string_c& append(const string_c& other);
    string_c& erase(uint32_t pos, uint32_t n);
    string_c& prefixWords(char c);  // c before every run of non-white space
    string_c& toUpper();
    string_c& trimRight();
    string_c& trimLeft();
    string_c& trim();

    // Position of the first occurrence of needle at or after start, counted
    // from the beginning of the text; length() when there is none.
    uint32_t find(const string_c& needle, uint32_t start, bool caseSensitive) const;
    bool equals(const string_c& other) const;
    // Hands the buffer (new char[]) to the caller, who frees it with delete[];
    // a fresh "" when there was no storage. Leaves this without storage.
    char* detach();
};
