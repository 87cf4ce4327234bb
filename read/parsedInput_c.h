#pragma once
// The InChI library's input record of one read, with the parser's data record
// pointing at it. It starts all zero, and whatever the library puts into it
// goes back through Free_inchi_Input when the read ends, on every path, also
// when the library was never reached. The freeing runs without the library lock.

#include <inchi_api.h>

namespace InChI_n {
namespace Read_n {

class parsedInput_c {
public:
    parsedInput_c() : input(), data() {
        data.pInp = &input;
        data.bChiral = 0;
    }
    ~parsedInput_c() { Free_inchi_Input(&input); }
    parsedInput_c(const parsedInput_c&) = delete;
    parsedInput_c& operator=(const parsedInput_c&) = delete;

    InchiInpData& parserData() { return data; }

private:
    inchi_Input input;
    InchiInpData data;
};

}  // namespace Read_n
}  // namespace InChI_n
