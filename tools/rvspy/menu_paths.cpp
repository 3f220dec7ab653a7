#include "menu_paths.h"

#include "RvWindow.h"

namespace rvspy {
namespace {

constexpr int kItemTextStorage = 256;
constexpr int kMaxMenuDepth = 16;

// The item's text as a path names it: no "&", nothing from the tab on.
std::wstring ItemName(HMENU menu, int position) {
    wchar_t text[kItemTextStorage] = {};
    const int length =
        GetMenuStringW(menu, static_cast<UINT>(position), text, kItemTextStorage, MF_BYPOSITION);
    std::wstring name;
    for (int i = 0; i < length && text[i] != L'\t'; ++i)
        if (text[i] != L'&') name += text[i];
    return name;
}

void Collect(HWND window, HMENU menu, const std::wstring& prefix, int depth,
             std::vector<MenuCommand>* commands) {
    if (depth >= kMaxMenuDepth) return;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const std::wstring name = ItemName(menu, position);
        if (name.empty()) continue; // separators and bitmaps cannot be named
        const std::wstring path = prefix.empty() ? name : prefix + L"|" + name;
        if (HMENU submenu = GetSubMenu(menu, position)) {
            Collect(window, submenu, path, depth + 1, commands);
            continue;
        }
        MenuCommand command{path, GetMenuItemID(menu, position), false};
        uint32_t found = 0;
        command.resolves =
            RvWindow_FindMenuID(window, path.c_str(), &found) == 0 && found == command.id;
        commands->push_back(command);
    }
}

} // namespace

std::vector<MenuCommand> MenuCommands(HWND window) {
    std::vector<MenuCommand> commands;
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0)
        if (HMENU bar = GetMenu(window)) Collect(window, bar, L"", 0, &commands);
    return commands;
}

} // namespace rvspy
