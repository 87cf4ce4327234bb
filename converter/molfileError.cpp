#include "converter/molfile.h"

namespace molfile_n {

namespace {

std::string describe(size_t line, const std::string& field, const std::string& reason) {
    std::string text = line ? "line " + std::to_string(line) : std::string("end of record");
    if (!field.empty())
        text += ", " + field;
    return text + ": " + reason;
}

}  // namespace

molfileError_c::molfileError_c(size_t line, const std::string& field, const std::string& reason)
    : std::runtime_error(describe(line, field, reason)), line_(line), field_(field), reason_(reason) {}

}  // namespace molfile_n
