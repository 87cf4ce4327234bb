#include "read/coordinateLayer.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace InChI_n {
namespace Read_n {

namespace {

constexpr char coordinateLayerPrefix[] = "/rC:";
constexpr std::size_t coordinateLayerPrefixLength = sizeof coordinateLayerPrefix - 1;
constexpr std::size_t recordBytes = 32;
constexpr std::size_t fieldColumns = 10;
constexpr int fieldsPerAtom = 3;

// What the parser copies of one coordinate: the characters strtod takes from
// p. Called in the same thread and locale as the parser's own strtod, it
// takes exactly the same characters.
std::size_t numberSpan(const char* p) {
    char* end = nullptr;
    std::strtod(p, &end);
    return static_cast<std::size_t>(end - p);
}

// Walks the entries as the parser does: up to three numbers, each one
// followed by at most one comma that is passed over, then on to the ';' that
// ends the entry.
bool layerRefused(const char* p) {
    for (;;) {
        for (int field = 0; field < fieldsPerAtom; ++field) {
            const std::size_t span = numberSpan(p);
            if (field * fieldColumns + span > recordBytes) return true;
            p += span;
            if (*p == ',') ++p;
        }
        p += std::strcspn(p, ";/");
        if (*p != ';') return false;
        ++p;
    }
}

}  // namespace

bool coordinateLayerRefused(const char* line) {
    for (const char* layer = std::strstr(line, coordinateLayerPrefix); layer != nullptr;
         layer = std::strstr(layer + 1, coordinateLayerPrefix))
        if (layerRefused(layer + coordinateLayerPrefixLength)) return true;
    return false;
}

}  // namespace Read_n
}  // namespace InChI_n
