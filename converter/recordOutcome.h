#pragma once
// What converting one record gives: the text that takes the record's place in
// the output, and when it failed, the reason. Producing it touches no shared
// state, so records can be handed to workers and their outcomes put back in
// input order.

#include <string>

namespace converter_n {

struct recordOutcome_c {
    std::string output;
    std::string failure;  // empty when the record converted
    bool converted() const { return failure.empty(); }
};

}  // namespace converter_n
