#pragma once
// The reference host's attribute set: it records every declaration in order.

#include <cstdint>
#include <functional>
#include <vector>

#include "host/attributes_c.h"
#include "refhost/hostCall.h"

namespace refhost {

struct attributeCall_c {
    const char* op;  // "openGroup", "setValue" or "setProperty"
    int32_t key;     // group number for openGroup
    int32_t value;   // 0 for openGroup
    bool operator==(const attributeCall_c& o) const;
};

class refAttributes_c final : public attributes_c {
public:
    uint32_t openGroup(int32_t group) override;
    uint32_t setValue(int32_t key, int32_t truth) override;
    uint32_t setProperty(int32_t key, int32_t value) override;

    const std::vector<attributeCall_c>& calls() const { return calls_; }
    // Decides the status of each call (default: 1). It may throw.
    void setStatus(std::function<uint32_t(const attributeCall_c&)> status) { status_ = std::move(status); }
    void setHook(hostHook_t hook) { hook_ = std::move(hook); }

private:
    uint32_t record(const attributeCall_c& call);
    std::vector<attributeCall_c> calls_;
    std::function<uint32_t(const attributeCall_c&)> status_;
    hostHook_t hook_;
};

}  // namespace refhost
