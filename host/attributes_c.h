#pragma once
// The host's attribute set. Each operation returns a status whose bit 0 is set on success.

#include <cstdint>

class attributes_c {
public:
    virtual uint32_t openGroup(int32_t group) = 0;
    virtual uint32_t setValue(int32_t key, int32_t truth) = 0;
    virtual uint32_t setProperty(int32_t key, int32_t value) = 0;

protected:
    ~attributes_c() = default;
};

inline bool statusOk(uint32_t status) { return (status & 1u) != 0; }
