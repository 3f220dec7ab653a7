#include "window_report.h"

#include "menu_paths.h"
#include "window_paths.h"

#include <cwchar>

namespace rvspy {
namespace {

constexpr int kMaxDepth = 64;
constexpr int kTitleShown = 60;

std::wstring Line(HWND top, HWND window, int depth) {
    wchar_t title[kTitleShown + 1] = {}, cls[257] = {};
    GetWindowTextW(window, title, kTitleShown + 1);
    GetClassNameW(window, cls, 257);
    RECT r{};
    GetWindowRect(window, &r);
    const long id = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)
                        ? static_cast<long>(GetWindowLongPtrW(window, GWLP_ID))
                        : 0;
    wchar_t head[512];
    swprintf(head, 512, L"%*ls0x%08lX %ls \"%ls\" id %ld (%ld,%ld)-(%ld,%ld) ", depth * 2, L"",
             static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)), cls, title, id,
             r.left, r.top, r.right, r.bottom);
    std::wstring path;
    std::wstring line = head;
    if (window == top)
        line += L"path \"\"";
    else if (ShortestPath(top, window, &path))
        line += L"path \"" + path + L"\"";
    else
        line += L"path (none)";
    return line + L"\n";
}

void Tree(HWND top, HWND window, int depth, std::wstring* report) {
    *report += Line(top, window, depth);
    if (depth >= kMaxDepth) return;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        Tree(top, child, depth + 1, report);
}

} // namespace

std::wstring WindowReport(HWND top) {
    std::wstring report;
    Tree(top, top, 0, &report);
    const auto commands = MenuCommands(top);
    if (!commands.empty()) {
        report += L"menu\n";
        for (const MenuCommand& command : commands)
            report += L"  \"" + command.path + L"\" id " + std::to_wstring(command.id) +
                      (command.resolves ? L"" : L" (FindMenuID reaches another item)") + L"\n";
    }
    return report;
}

} // namespace rvspy
