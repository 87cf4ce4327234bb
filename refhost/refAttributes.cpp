// The reference host's attribute set: every declaration is kept in order, and
// its status comes from the test's callback (success when there is none).
#include "refhost/refAttributes.h"

#include <cstring>

namespace refhost {

bool attributeCall_c::operator==(const attributeCall_c& o) const
{
    return std::strcmp(op, o.op) == 0 && key == o.key && value == o.value;
}

uint32_t refAttributes_c::record(const attributeCall_c& call)
{
    enterHostCall(hook_, hostCall_c{call.op, noObject, call.key, call.value, 0});
    calls_.push_back(call);
    return status_ ? status_(call) : 1u;
}

uint32_t refAttributes_c::openGroup(int32_t group) { return record(attributeCall_c{"openGroup", group, 0}); }

uint32_t refAttributes_c::setValue(int32_t key, int32_t truth) { return record(attributeCall_c{"setValue", key, truth}); }

uint32_t refAttributes_c::setProperty(int32_t key, int32_t value)
{
    return record(attributeCall_c{"setProperty", key, value});
}

}  // namespace refhost
