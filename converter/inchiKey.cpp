#include "converter/inchiKey.h"

#include <inchi_api.h>

namespace converter_n {

std::string inchiKeyLine(const std::string& inchi) {
    // Sizes the library documents: 27 characters plus the terminator, and
    // 64 plus the terminator for the hash extensions it is not asked for.
    char key[32] = {};
    char extra1[80] = {};
    char extra2[80] = {};
    if (GetINCHIKeyFromINCHI(inchi.c_str(), 0, 0, key, extra1, extra2) != INCHIKEY_OK)
        return {};
    return std::string("InChIKey=") + key;
}

}  // namespace converter_n
