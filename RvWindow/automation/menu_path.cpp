// Command identifiers by menu path ("File|Open"), the way the menu shows them.
#include "RvWindow.h"
#include "rv_args.h"
#include "window_text.h"

#include <string>

namespace {

constexpr int kNoItem = -1;
constexpr int kEndsOnSubmenu = -2;
constexpr int kNoMenu = -3;

// An item's text as the path names it: without "&", cut at the accelerator's tab.
std::wstring ItemName(HMENU menu, int position) {
    wchar_t text[rvw::kTitleLimit + 1] = {};
    const int length = GetMenuStringW(menu, static_cast<UINT>(position), text, rvw::kTitleLimit + 1,
                                      MF_BYPOSITION);
    std::wstring name;
    for (int i = 0; i < length && text[i] != L'\t'; ++i)
        if (text[i] != L'&') name += text[i];
    return name;
}

int FindMenuIdExport(HWND window, const wchar_t* path, uint32_t* id) {
    if (!rv::IsWritable(id, sizeof *id)) return kNoItem;
    std::wstring_view rest;
    if (!rv::ReadWideArgument(path, &rest)) return kEndsOnSubmenu;
    // The identifier slot of a child window is no menu.
    if (!IsWindow(window) || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return kNoMenu;
    HMENU menu = GetMenu(window);
    if (!menu || !IsMenu(menu)) return kNoMenu;
    for (;;) {
        const size_t bar = rest.find(L'|');
        const std::wstring_view name = rest.substr(0, bar);
        const int count = GetMenuItemCount(menu);
        int position = 0;
        while (position < count && !rvw::StartsWith(ItemName(menu, position), name))
            ++position;
        if (position >= count) return kNoItem;
        HMENU submenu = GetSubMenu(menu, position);
        if (!submenu) {
            *id = GetMenuItemID(menu, position);
            return 0;
        }
        if (bar == std::wstring_view::npos) return kEndsOnSubmenu;
        rest.remove_prefix(bar + 1);
        menu = submenu;
    }
}

} // namespace

RVWINDOW_API int RvWindow_FindMenuID(HWND window, const wchar_t* path, uint32_t* id) {
    return rv::Guarded(kNoItem, [&] { return FindMenuIdExport(window, path, id); });
}
