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

void FitTitle(HWND title, HWND separator, HFONT font) {
    // Pixels between a title's text and its separator; longest title read.
    const int kGap = 6;
    const int kMaxTitle = 128;
    wchar_t text[kMaxTitle] = {};
    GetWindowTextW(title, text, kMaxTitle);
    HDC dc = GetDC(title);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, font);
    RECT extent = {0, 0, 0, 0};
    // DrawText reads "&&" as the one "&" the static shows.
    DrawTextW(dc, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(title, dc);
    const RECT own = ChildRect(title);
    const RECT line = ChildRect(separator);
    const int width = extent.right - extent.left;
    SetWindowPos(title, nullptr, 0, 0, width, own.bottom - own.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int left = own.left + width + kGap;
    if (left >= line.right) {
        ShowWindow(separator, SW_HIDE);
        return;
    }
    SetWindowPos(separator, nullptr, left, line.top, line.right - left, line.bottom - line.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace lumencor
