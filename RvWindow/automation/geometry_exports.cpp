// Window relations, state and geometry: thin wrappers passing Win32 results through.
#include "RvWindow.h"
#include "rv_args.h"
#include "window_handle.h"
#include "window_text.h"

#include <initializer_list>

namespace {

// Out-parameters that may each be null; false when one given cannot be written.
bool OptionalOutsWritable(std::initializer_list<int32_t*> outs) {
    for (int32_t* out : outs)
        if (out && !rv::IsWritable(out, sizeof *out)) return false;
    return true;
}

void WriteOptional(int32_t* out, LONG value) {
    if (out) *out = static_cast<int32_t>(value);
}

// Whether a 32-bit value at `index` touches the pointer-sized slot at `slot`.
bool Overlaps(int32_t index, int32_t slot) {
    return index + static_cast<int32_t>(sizeof(int32_t)) > slot &&
           index < slot + static_cast<int32_t>(sizeof(LONG_PTR));
}

// A 32-bit write that would cut a dialog's procedure pointer in half: the
// next message would call a torn address.
bool TearsDialogProcedure(HWND window, int32_t index) {
    return Overlaps(index, DWLP_DLGPROC) && rvw::ClassText(window).view() == L"#32770";
}

bool InThisLibrary(LONG_PTR address) {
    HMODULE module = nullptr, library = nullptr;
    constexpr DWORD kByAddress =
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!address || !GetModuleHandleExW(kByAddress, reinterpret_cast<LPCWSTR>(address), &module))
        return false;
    GetModuleHandleExW(kByAddress, reinterpret_cast<LPCWSTR>(&RvWindow_SetWindowLong), &library);
    return module == library;
}

// Our custom controls keep their record in GWLP_USERDATA and builder
// dialogs in DWLP_USER; a value written there would be taken for a record.
bool HoldsOurRecord(HWND window, int32_t index) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return false;
    if (index == GWLP_USERDATA) return InThisLibrary(GetWindowLongPtrW(window, GWLP_WNDPROC));
    return Overlaps(index, DWLP_USER) && rvw::ClassText(window).view() == L"#32770" &&
           InThisLibrary(GetWindowLongPtrW(window, DWLP_DLGPROC));
}

int GetRect(uint32_t window, RECT* rect) {
    return GetWindowRect(rvw::ToWindow(window), rect) ? 1 : 0;
}

constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
constexpr UINT kMoveAndSize = SWP_NOZORDER | SWP_NOACTIVATE;

int Place(uint32_t window, int x, int y, int width, int height, UINT flags) {
    return SetWindowPos(rvw::ToWindow(window), nullptr, x, y, width, height, flags) ? 1 : 0;
}

} // namespace

RVWINDOW_API int RvWindow_GetParent(uint32_t window, uint32_t* parent) {
    return rv::Guarded(-1, [&] {
        return rv::WriteOut(parent, rvw::ToHandle(GetParent(rvw::ToWindow(window)))) ? 0 : -1;
    });
}

RVWINDOW_API int RvWindow_GetWindow(uint32_t window, uint32_t relation, uint32_t* related) {
    return rv::Guarded(-1, [&] {
        return rv::WriteOut(related, rvw::ToHandle(GetWindow(rvw::ToWindow(window), relation)))
                   ? 0
                   : -1;
    });
}

RVWINDOW_API int32_t RvWindow_GetWindowLong(uint32_t window, int32_t index) {
    return rv::Guarded<int32_t>(0, [&] { return GetWindowLongW(rvw::ToWindow(window), index); });
}

RVWINDOW_API int32_t RvWindow_SetWindowLong(uint32_t window, int32_t index, int32_t value) {
    return rv::Guarded<int32_t>(0, [&] {
        HWND target = rvw::ToWindow(window);
        if (TearsDialogProcedure(target, index) || HoldsOurRecord(target, index)) {
            SetLastError(ERROR_INVALID_INDEX);
            return int32_t{0};
        }
        return static_cast<int32_t>(SetWindowLongW(target, index, value));
    });
}

RVWINDOW_API int RvWindow_GetWindowPos(uint32_t window, int32_t* left, int32_t* top) {
    return rv::Guarded(0, [&] {
        RECT rect;
        if (!OptionalOutsWritable({left, top}) || !GetRect(window, &rect)) return 0;
        WriteOptional(left, rect.left);
        WriteOptional(top, rect.top);
        return 1;
    });
}

RVWINDOW_API int RvWindow_GetWindowRect(uint32_t window, int32_t* left, int32_t* top,
                                        int32_t* right, int32_t* bottom) {
    return rv::Guarded(0, [&] {
        RECT rect;
        if (!OptionalOutsWritable({left, top, right, bottom}) || !GetRect(window, &rect)) return 0;
        WriteOptional(left, rect.left);
        WriteOptional(top, rect.top);
        WriteOptional(right, rect.right);
        WriteOptional(bottom, rect.bottom);
        return 1;
    });
}

RVWINDOW_API int RvWindow_GetWindowSize(uint32_t window, int32_t* width, int32_t* height) {
    return rv::Guarded(0, [&] {
        RECT rect;
        if (!OptionalOutsWritable({width, height}) || !GetRect(window, &rect)) return 0;
        WriteOptional(width, rect.right - rect.left);
        WriteOptional(height, rect.bottom - rect.top);
        return 1;
    });
}

RVWINDOW_API int RvWindow_SetWindowPos(uint32_t window, int32_t x, int32_t y) {
    return rv::Guarded(0, [&] { return Place(window, x, y, 0, 0, kMoveOnly); });
}

RVWINDOW_API int RvWindow_SetWindowRect(uint32_t window, int32_t left, int32_t top, int32_t right,
                                        int32_t bottom) {
    return rv::Guarded(
        0, [&] { return Place(window, left, top, right - left, bottom - top, kMoveAndSize); });
}

RVWINDOW_API int RvWindow_SetWindowSize(uint32_t window, int32_t width, int32_t height) {
    return rv::Guarded(0, [&] { return Place(window, 0, 0, width, height, kSizeOnly); });
}

RVWINDOW_API int RvWindow_ShowWindow(uint32_t window, int32_t command) {
    return rv::Guarded(0, [&] { return ShowWindow(rvw::ToWindow(window), command) ? 1 : 0; });
}

RVWINDOW_API int RvWindow_IsWindowVisible(uint32_t window, uint32_t* visible) {
    return rv::Guarded(-1, [&] {
        return rv::WriteOut(visible, IsWindowVisible(rvw::ToWindow(window)) ? 1u : 0u) ? 0 : -1;
    });
}

RVWINDOW_API int RvWindow_SetForeground(uint32_t window) {
    return rv::Guarded(0, [&] { return SetForegroundWindow(rvw::ToWindow(window)) ? 1 : 0; });
}

RVWINDOW_API int RvWindow_DestroyWindow(uint32_t window) {
    return rv::Guarded(0, [&] {
        DestroyWindow(rvw::ToWindow(window));
        return 0;
    });
}
