// The record of a directory walk, owned by a macro's handle variable.
#pragma once

#include "rv_memory.h"

#include <windows.h>

#include <cstdint>

namespace rvw {

constexpr rv::Signature kWalkSignature{0x4196561f8646d9baull, 0x7d97dbe347fa95bfull};

struct WalkRecord {
    rv::Signature signature = kWalkSignature;
    HANDLE find = INVALID_HANDLE_VALUE;
    uint32_t prefixLength = 0;
    wchar_t prefix[MAX_PATH] = {};
};

} // namespace rvw
