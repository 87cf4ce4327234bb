#pragma once
// Host calls as text lines, for tests of the order in which the driver calls
// the reference host: "op object arg0 arg1", coordinates as "op object value".

#include <sstream>
#include <string>
#include <vector>

#include "refhost/hostCall.h"

namespace readTest_n {

class hostCallLog_c {
public:
    refhost::hostHook_t hook() {
        return [this](const refhost::hostCall_c& call) { lines_.push_back(line(call)); };
    }
    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }
    // How many calls of the operation were made.
    size_t count(const std::string& op) const {
        size_t n = 0;
        for (const std::string& l : lines_)
            if (l.compare(0, op.size() + 1, op + " ") == 0 || l == op) ++n;
        return n;
    }

    static std::string line(const refhost::hostCall_c& call) {
        std::ostringstream text;
        text << call.op;
        if (call.object != refhost::noObject) text << ' ' << call.object;
        const std::string op = call.op;
        if (op == "setX" || op == "setY" || op == "setZ")
            text << ' ' << call.value;
        else
            text << ' ' << call.arg0 << ' ' << call.arg1;
        return text.str();
    }

private:
    std::vector<std::string> lines_;
};

}  // namespace readTest_n
