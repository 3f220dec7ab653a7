// Synthesised keyboard and mouse input, one event per call.
#include "RvWindow.h"
#include "rv_args.h"

RVWINDOW_API uint32_t RvWindow_SendKeyboardInput(uint32_t virtualKey, uint32_t scanCode,
                                                 uint32_t flags) {
    return rv::Guarded(0u, [&] {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(virtualKey & 0xFFFFu);
        input.ki.wScan = static_cast<WORD>(scanCode & 0xFFFFu);
        input.ki.dwFlags = flags;
        input.ki.time = 0;
        return static_cast<uint32_t>(SendInput(1, &input, sizeof input));
    });
}

RVWINDOW_API uint32_t RvWindow_SendMouseInput(int32_t dx, int32_t dy, uint32_t mouseData,
                                              uint32_t flags) {
    return rv::Guarded(0u, [&] {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = dx;
        input.mi.dy = dy;
        input.mi.mouseData = mouseData;
        input.mi.dwFlags = flags;
        input.mi.time = 0;
        return static_cast<uint32_t>(SendInput(1, &input, sizeof input));
    });
}
