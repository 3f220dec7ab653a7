// Sending and posting messages to any window; addresses of macro variables
// for messages that take a pointer.
#include "RvWindow.h"
#include "rv_args.h"
#include "window_handle.h"

namespace {

// 32-bit message parameters are widened with their sign, as the builder's are.
WPARAM WParamOf(int32_t value) {
    return static_cast<WPARAM>(INT_PTR{value});
}

INT_PTR SendText(uint32_t window, uint32_t message, int32_t wParam, const wchar_t* text) {
    // The receiver reads the text: it must be null or a readable string.
    std::wstring_view view;
    if (text && !rv::ReadWideArgument(text, &view)) return 0;
    return SendMessageW(rvw::ToWindow(window), message, WParamOf(wParam),
                        reinterpret_cast<LPARAM>(text));
}

} // namespace

RVWINDOW_API INT_PTR RvWindow_SendMessage(uint32_t window, uint32_t message, int32_t wParam,
                                          int32_t lParam) {
    return rv::Guarded<INT_PTR>(0, [&] {
        return SendMessageW(rvw::ToWindow(window), message, WParamOf(wParam), LPARAM{lParam});
    });
}

RVWINDOW_API int32_t RvWindow_SendMessage64(uint32_t window, uint32_t message, uint64_t wParam,
                                            uint64_t lParam) {
    return rv::Guarded<int32_t>(0, [&] {
        const LRESULT result =
            SendMessageW(rvw::ToWindow(window), message, static_cast<WPARAM>(wParam),
                         static_cast<LPARAM>(lParam));
        return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(result)));
    });
}

RVWINDOW_API INT_PTR RvWindow_SendMessagePointer(uint32_t window, uint32_t message, int32_t wParam,
                                                 void* lParam) {
    return rv::Guarded<INT_PTR>(0, [&] {
        // Only the receiver knows how much it touches; at least the address
        // itself must be memory of this process.
        if (lParam && !rv::IsReadable(lParam, 1)) return INT_PTR{0};
        return SendMessageW(rvw::ToWindow(window), message, WParamOf(wParam),
                            reinterpret_cast<LPARAM>(lParam));
    });
}

RVWINDOW_API INT_PTR RvWindow_SendMessageString(uint32_t window, uint32_t message, int32_t wParam,
                                                const wchar_t* text) {
    return rv::Guarded<INT_PTR>(0, [&] { return SendText(window, message, wParam, text); });
}

RVWINDOW_API INT_PTR RvWindow_SendMessageStringA(uint32_t window, uint32_t message, int32_t wParam,
                                                 const char* text) {
    return rv::Guarded<INT_PTR>(0, [&] {
        const rv::AnsiArgument wideText(text);
        return SendText(window, message, wParam, wideText.get());
    });
}

RVWINDOW_API int RvWindow_PostMessage(uint32_t window, uint32_t message, int32_t wParam,
                                      int32_t lParam) {
    return rv::Guarded(0, [&] {
        return PostMessageW(rvw::ToWindow(window), message, WParamOf(wParam), LPARAM{lParam}) ? 1
                                                                                              : 0;
    });
}

// Exported under eight names, one per macro variable type.
RVWINDOW_API uintptr_t RvWindow_AddressOf(const void* variable) {
    return reinterpret_cast<uintptr_t>(variable);
}
