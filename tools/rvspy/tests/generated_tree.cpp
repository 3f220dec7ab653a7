#include "generated_tree.h"

#include "unmanaged_windows.h"

#include <string>

namespace rvspytest {
namespace {

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

constexpr int kPanels = 10;
constexpr int kChildrenPerPanel = 19;

const wchar_t* const kTitles[] = {
    L"OK",      L"OK",        L"OKAY",  L"",       L"Apply",  L"Apply.now", L"[x]",       L"Cost $",
    L"(paren)", L"x(Button)", L"Panel", L"Button", L"Static", L"Apply",     L"a.b[1].c$", L"OK$"};
const wchar_t* const kClasses[] = {L"Button", L"Static", L"Edit"};

HWND Make(HWND parent, const wchar_t* cls, const wchar_t* title) {
    HWND window =
        CreateWindowExW(0, cls, title, (parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPED), 0, 0, 30,
                        20, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (parent)
        SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return window;
}

} // namespace

GeneratedTree MakeTree(const wchar_t* title) {
    GeneratedTree tree;
    tree.top = Make(nullptr, L"Static", title);
    int n = 0;
    for (int p = 0; p < kPanels; ++p) {
        const std::wstring panelTitle = p % 3 == 0 ? L"Panel" : L"Panel " + std::to_wstring(p);
        HWND panel = Make(tree.top, L"Static", panelTitle.c_str());
        tree.windows.push_back(panel);
        for (int c = 0; c < kChildrenPerPanel; ++c, ++n) {
            const wchar_t* childTitle = kTitles[n % (sizeof kTitles / sizeof *kTitles)];
            const wchar_t* cls = kClasses[(n / 2) % (sizeof kClasses / sizeof *kClasses)];
            tree.windows.push_back(Make(panel, cls, childTitle));
        }
    }
    return tree;
}

} // namespace rvspytest
