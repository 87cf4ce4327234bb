#include "converter/molfileParsers.h"
#include "refhost/elements.h"

namespace molfile_n {

bool isPseudoSymbol(const std::string& symbol) {
    if (symbol == "D" || symbol == "T")
        return false;
    return refhost::atomicNumberOf(symbol.c_str()) == 0;
}

bool isSymbolText(const std::string& symbol) { return symbol.find('\0') == std::string::npos; }

}  // namespace molfile_n
