#include "subclassing.h"

namespace rvw {

bool IsOwnWindow(HWND window) {
    if (!window || !IsWindow(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

WNDPROC Subclass(HWND window, WNDPROC procedure, void* record) {
    if (!IsOwnWindow(window)) return nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    SetLastError(0);
    const LONG_PTR previous =
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (previous == 0 && GetLastError() != 0) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return nullptr;
    }
    return reinterpret_cast<WNDPROC>(previous);
}

void Unsubclass(HWND window, WNDPROC previous) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

void* UserData(HWND window) {
    if (!IsOwnWindow(window)) return nullptr;
    return reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void NotifyParent(HWND control) {
    HWND parent = GetParent(control);
    if (!parent) return;
    const auto id = static_cast<WORD>(GetDlgCtrlID(control));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(control));
}

} // namespace rvw
