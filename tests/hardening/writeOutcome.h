#pragma once
// What a write of a molecule the library must not see, or may see, leaves
// behind: an InChI and the answer 1, or nothing at all and the answer 0.

#include <gtest/gtest.h>

#include <string>

namespace hardening_n {

inline void expectWrittenOrRefused(int result, const std::string& text, bool written) {
    EXPECT_EQ(result, written ? 1 : 0);
    if (written)
        EXPECT_EQ(text.rfind("InChI=1S/", 0), 0u) << text;
    else
        EXPECT_EQ(text, "");
}

}  // namespace hardening_n
