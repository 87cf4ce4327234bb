#include "read/parserInput.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "read/readErrors.h"

namespace InChI_n {
namespace Read_n {

namespace {

constexpr char lineEnds[] = "\r\n";
constexpr char bondLayerPrefix[] = "/rB:";
constexpr std::size_t bondLayerPrefixLength = sizeof bondLayerPrefix - 1;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the run of digits at p, leaving p after it; true when its value does
// not fit an int. The value stops growing once past INT_MAX, so any length of
// run is safe.
bool digitRunOverflows(const char*& p) {
    int64_t value = 0;
    for (; isDigit(*p); ++p)
        if (value <= INT_MAX) value = value * 10 + (*p - '0');
    return value > INT_MAX;
}

bool layerOverflows(const char* p) {
    while (*p != '\0' && *p != '/') {
        if (!isDigit(*p)) {
            ++p;
            continue;
        }
        if (digitRunOverflows(p)) return true;
    }
    return false;
}

bool bondLayerOverflows(const char* line) {
    for (const char* layer = std::strstr(line, bondLayerPrefix); layer != nullptr;
         layer = std::strstr(layer + 1, bondLayerPrefix))
        if (layerOverflows(layer + bondLayerPrefixLength)) return true;
    return false;
}

}  // namespace

string_c parserInput(const string_c& auxInfo) {
    const char* text = auxInfo.cStr();
    string_c line;
    line.assign(text, static_cast<uint32_t>(std::strcspn(text, lineEnds)));
    if (bondLayerOverflows(line.cStr())) throw badData();
    return line;
}

}  // namespace Read_n
}  // namespace InChI_n
