#include "session.h"
#include "demo_window.h"

#include <cstdio>
#include <string>

namespace {

WNDPROC g_dialogProc = nullptr;

const char* CodeName(int code) {
    switch (code) {
    case ListSelected:
        return "ListSelected";
    case ListLeftClick:
        return "ListLeftClick";
    case ListRightClick:
        return "ListRightClick";
    case ListDoubleClick:
        return "ListDoubleClick";
    case ListModified:
        return "ListModified";
    case ListLinkClicked:
        return "ListLinkClicked";
    default:
        return "other";
    }
}

// Prints every notification of the list as the dialog receives it.
LRESULT CALLBACK PrintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && lParam) {
        const auto* record = reinterpret_cast<const RvListNotify*>(lParam);
        std::printf("    -> %-16s item %2d  column %2d\n",
                    CodeName(static_cast<int>(record->header.code)), record->item, record->column);
    }
    return CallWindowProcW(g_dialogProc, window, message, wParam, lParam);
}

POINT CellCentre(RvList list, int item, int column) {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    RvListCtrl_GetItemRect(list, item, column, &left, &top, &right, &bottom);
    return POINT{(left + right) / 2, (top + bottom) / 2};
}

void Click(RvList list, POINT at) {
    HWND window = ToWindow(list);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
}

std::wstring Text(RvList list, int item, int column) {
    wchar_t text[128] = L"";
    RvListCtrl_GetItemText(list, item, column, text, 128);
    return text;
}

// The open edit box of the list, or null.
HWND OpenEdit(RvList list) {
    HWND edit = FindWindowExW(ToWindow(list), nullptr, L"Edit", nullptr);
    return edit && IsWindowVisible(edit) ? edit : nullptr;
}

} // namespace

void PlaySession(HWND dialog, RvList list, const std::function<void()>& whileEditing) {
    g_dialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrintingProc)));
    SetFocus(ToWindow(list));

    std::printf("  click the row of \"%ls\":\n", Text(list, 3, 0).c_str());
    Click(list, CellCentre(list, 3, 6)); // on its progress bar, which has no editor

    std::printf("  click its \"Use\" check box (was %d):\n", RvListCtrl_GetItemCheck(list, 3, 3));
    Click(list, CellCentre(list, 3, 3));
    std::printf("    now %d\n", RvListCtrl_GetItemCheck(list, 3, 3));

    int32_t left = 0, top = 0, right = 0, bottom = 0;
    RvListCtrl_GetColumnRect(list, 0, &left, &top, &right, &bottom);
    std::printf("  click the \"Sample\" header to sort by name:\n");
    Click(list, POINT{(left + right) / 2, (top + bottom) / 2});
    for (int item = 0; item < RvListCtrl_GetItemCount(list); ++item)
        std::printf("    %d %ls\n", item, Text(list, item, 0).c_str());

    std::printf("  click the name of row 1 and type a new one, then Return:\n");
    Click(list, CellCentre(list, 1, 0));
    if (HWND edit = OpenEdit(list)) {
        for (wchar_t c : std::wstring(L"Beads 100 nm"))
            SendMessageW(edit, WM_CHAR, c, 0);
        SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
        Pump();
    }
    std::printf("    row 1 is now \"%ls\"\n", Text(list, 1, 0).c_str());

    std::printf("  click the name of row 4 and leave the editor open:\n");
    Click(list, CellCentre(list, 4, 0));
    if (HWND edit = OpenEdit(list)) {
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        whileEditing();
        std::printf("  Escape leaves \"%ls\" as it was:\n", Text(list, 4, 0).c_str());
        SendMessageW(edit, WM_CHAR, VK_ESCAPE, 0);
        Pump();
    }
    SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_dialogProc));
}
