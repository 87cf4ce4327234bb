#include "read/parserInput.h"

#include <inchi_api.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "read/coordinateLayer.h"
#include "read/readErrors.h"

namespace InChI_n {
namespace Read_n {

namespace {

constexpr char lineEnds[] = "\r\n";
constexpr char bondLayerPrefix[] = "/rB:";
constexpr std::size_t bondLayerPrefixLength = sizeof bondLayerPrefix - 1;
// Atom numbers beyond the 16-bit record index name no atom the parser keeps;
// it refuses bonds to them itself, so they need no count.
constexpr int64_t highestCountedAtom = INT16_MAX + 1;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The value of the run of digits at p, leaving p after it. The value stops
// growing once past INT_MAX, so any length of run is safe.
int64_t digitRun(const char*& p) {
    int64_t value = 0;
    for (; isDigit(*p); ++p)
        if (value <= INT_MAX) value = value * 10 + (*p - '0');
    return value;
}

// Bonds per atom as the parser stores them: entry k of the layer (entries end
// with ';') belongs to atom k + 2, every number in it names the other atom
// (atoms counted from 1), and each bond is stored at both of its atoms.
class bondCounts_c {
public:
    // False when the atom now has more bonds than a record can hold.
    bool add(int64_t atom) {
        if (atom > highestCountedAtom) return true;
        // Atom numbers mostly rise through the layer; doubling keeps the
        // growth to a few steps per read.
        if (static_cast<std::size_t>(atom) >= counts_.size())
            counts_.resize(std::max(static_cast<std::size_t>(atom) + 1, 2 * counts_.size() + 32), 0);
        return ++counts_[static_cast<std::size_t>(atom)] <= MAXVAL;
    }

private:
    std::vector<int32_t> counts_;
};

bool layerRefused(const char* p) {
    bondCounts_c counts;
    int64_t atom = 2;
    while (*p != '\0' && *p != '/') {
        if (*p == ';') {
            ++atom;
            ++p;
        } else if (!isDigit(*p)) {
            ++p;
        } else {
            const int64_t other = digitRun(p);
            if (other == 0 || other > INT_MAX) return true;
            if (!counts.add(atom) || !counts.add(other)) return true;
        }
    }
    return false;
}

bool bondLayerRefused(const char* line) {
    for (const char* layer = std::strstr(line, bondLayerPrefix); layer != nullptr;
         layer = std::strstr(layer + 1, bondLayerPrefix))
        if (layerRefused(layer + bondLayerPrefixLength)) return true;
    return false;
}

}  // namespace

string_c parserInput(const string_c& auxInfo) {
    const char* text = auxInfo.cStr();
    string_c line;
    line.assign(text, static_cast<uint32_t>(std::strcspn(text, lineEnds)));
    if (bondLayerRefused(line.cStr()) || coordinateLayerRefused(line.cStr())) throw badData();
    return line;
}

}  // namespace Read_n
}  // namespace InChI_n
