#include "read/coordinateLayer.h"

#include <cstddef>
#include <cstring>

#include "read/numberSpan.h"

namespace InChI_n {
namespace Read_n {

namespace {

constexpr char coordinateLayerPrefix[] = "/rC:";
constexpr std::size_t coordinateLayerPrefixLength = sizeof coordinateLayerPrefix - 1;
constexpr std::size_t recordBytes = 32;
constexpr std::size_t fieldColumns = 10;
constexpr int fieldsPerAtom = 3;

// Walks the entries as the parser does: up to three numbers, each one
// followed by at most one comma that is passed over, then on to the ';' that
// ends the entry.
bool layerRefused(const char* p, const numberSpan_c& numberSpan) {
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
    // What the parser copies of one coordinate: the characters its strtod
    // takes, in this same thread and locale.
    const numberSpan_c numberSpan;
    for (const char* layer = std::strstr(line, coordinateLayerPrefix); layer != nullptr;
         layer = std::strstr(layer + 1, coordinateLayerPrefix))
        if (layerRefused(layer + coordinateLayerPrefixLength, numberSpan)) return true;
    return false;
}

}  // namespace Read_n
}  // namespace InChI_n
