// Small helpers the demo programs share: a macro's window handle as a
// window, and answering the thread's messages.
#pragma once

#include <windows.h>

#include <cstdint>

inline HWND ToWindow(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

// Dispatches every message waiting for this thread.
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
