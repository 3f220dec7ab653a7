// The edit box of FormatEdit cells.
#include "list_editor.h"

#include "RvListCtrl.h"

namespace rvl {
namespace {

constexpr int kInsetLeft = 2, kInsetTop = 3, kInsetRight = 3, kInsetBottom = 2;
constexpr int kMargin = 5; // left and right, inside the box

} // namespace

bool CListEdit::Open(const EditRequest& request) {
    DWORD style = WS_CHILD | ES_AUTOHSCROLL;
    if (request.flags & FlagUpperCase) style |= ES_UPPERCASE;
    if (request.flags & (FlagNumber | FlagFloat)) style |= ES_RIGHT;
    const RECT r{request.cell.left + kInsetLeft, request.cell.top + kInsetTop,
                 request.cell.right - kInsetRight, request.cell.bottom - kInsetBottom};
    if (!CreateEditor(request, L"EDIT", style, r)) return false;
    HWND edit = window_.get();
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(kMargin, kMargin));
    SetWindowTextW(edit, request.text.c_str());
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    ShowWindow(edit, SW_SHOW);
    SetFocus(edit);
    return true;
}

LRESULT CListEdit::Handle(Slot& slot, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_CHAR:
        if (EndingKey(wParam) || FilterNumber(window, static_cast<wchar_t>(wParam))) return 0;
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CallPrevious(slot, window, message, wParam, lParam);
        Report(WindowText(window), nullptr);
        return result;
    }
    default:
        break;
    }
    return CallPrevious(slot, window, message, wParam, lParam);
}

} // namespace rvl
