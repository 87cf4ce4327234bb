#pragma once
// The test executable's own TavrNewMemory / TavrDeleteMemory: they record every
// call, then pass it on to the stand-in core library, whose failure controls
// therefore still apply. The driver's objects link against these.

#include <cstddef>
#include <vector>

namespace containersTest {

struct heapLog_c {
    std::vector<size_t> requested;  // byte counts asked of TavrNewMemory, in order
    std::vector<void*> handedOut;   // its results, null included
    std::vector<void*> released;    // arguments of TavrDeleteMemory, in order
    void clear();
};

heapLog_c& heapLog();

}  // namespace containersTest
