#pragma once
// The inputs of a command: the files named, or standard input for none or "-".

#include <functional>
#include <istream>
#include <string>
#include <vector>

namespace converter_n {

// Calls use(stream, name) for each input in turn. An input that cannot be
// opened, or that fails while being read, is reported through problem(name,
// reason) and the next one is taken. Returns false when any input had a problem.
bool forEachInput(const std::vector<std::string>& files, const std::function<void(std::istream&, const std::string&)>& use,
                  const std::function<void(const std::string&, const std::string&)>& problem);

}  // namespace converter_n
