#pragma once
// The exception record that host operations may throw. It begins with a signed
// 32-bit code, the only part the driver reads.

#include <cstdint>

struct tavrelException_c {
    int32_t code;
};
