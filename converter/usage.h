#pragma once

namespace converter_n {

// The --help text.
extern const char* const usageText;

}  // namespace converter_n
