// rvspy: the window tree of a top-level window, for macro authors.
//   rvspy --title <prefix>   the first top-level window whose title begins with it
//   rvspy --process <id>     the first visible top-level window of that process
//   rvspy --mouse            the top-level window under the mouse
// Every window is printed with its class, title, id, screen rectangle and
// the shortest RvWindow_FindWindowDeep path from the top-level window; then
// the menu commands as RvWindow_FindMenuID paths with their ids.
#include "RvWindow.h"
#include "window_report.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND ByTitle(const wchar_t* prefix) {
    uint32_t window = 1; // non-zero: every process's windows
    RvWindow_GetMainWindow(prefix, nullptr, &window);
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
}

struct ProcessSearch {
    DWORD process;
    HWND found;
};

HWND ByProcess(DWORD process) {
    ProcessSearch search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM p) {
            auto* s = reinterpret_cast<ProcessSearch*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->process || !IsWindowVisible(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND UnderMouse() {
    POINT at;
    if (!GetCursorPos(&at)) return nullptr;
    HWND window = WindowFromPoint(at);
    return window ? GetAncestor(window, GA_ROOT) : nullptr;
}

int Usage() {
    std::fwprintf(stderr, L"usage: rvspy --title <prefix> | --process <id> | --mouse\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring option = argv[1];
    HWND top = nullptr;
    if (option == L"--title" && argc == 3)
        top = ByTitle(argv[2]);
    else if (option == L"--process" && argc == 3)
        top = ByProcess(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    else if (option == L"--mouse" && argc == 2)
        top = UnderMouse();
    else
        return Usage();
    if (!top) {
        std::fwprintf(stderr, L"rvspy: no such window\n");
        return 1;
    }
    std::fputws(rvspy::WindowReport(top).c_str(), stdout);
    return 0;
}
