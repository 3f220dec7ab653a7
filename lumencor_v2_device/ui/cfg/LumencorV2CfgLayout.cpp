#include "LumencorV2CfgLayout.h"

namespace lumencor {

RECT ChildRect(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveUpFrom(HWND dialog, int top, int by) {
    if (by <= 0) return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT rect = ChildRect(child);
        if (rect.top < top) continue;
        SetWindowPos(child, nullptr, rect.left, rect.top - by, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT window = {};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - by,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HideAndClose(HWND dialog, HWND child) {
    const RECT rect = ChildRect(child);
    ShowWindow(child, SW_HIDE);
    // Controls beside it (same top) stay; everything from its bottom moves.
    MoveUpFrom(dialog, rect.bottom, rect.bottom - rect.top);
}

} // namespace lumencor
