// Window handles as macros see them: 32-bit values, widened by zero extension.
#pragma once

#include <windows.h>

#include <cstdint>

namespace rvw {

inline HWND ToWindow(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}
inline uint32_t ToHandle(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

} // namespace rvw
