#include "window_tree.h"

#include "unmanaged_windows.h"

namespace rvwtest {
namespace {

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

LRESULT CALLBACK TreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) return lParam;
    return DefWindowProcW(window, message, wParam, lParam);
}

ATOM RegisterTreeClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TreeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTreeClass;
    return RegisterClassW(&wc);
}

} // namespace

const wchar_t kTreeClass[] = L"RvAutomationTree";

HWND TopLevel(const wchar_t* title, HMENU menu) {
    static const ATOM registered = RegisterTreeClass();
    (void)registered;
    return CreateWindowExW(0, kTreeClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, menu,
                           GetModuleHandleW(nullptr), nullptr);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* title, int id) {
    HWND child = CreateWindowExW(0, cls, title, WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent,
                                 reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return child;
}

void WindowTree::SetUp() {
    top_ = TopLevel(L"Automation tree");
    ASSERT_TRUE(top_);
    topHandle_ = HandleOf(top_);
}

void WindowTree::TearDown() {
    if (IsWindow(top_)) DestroyWindow(top_);
}

} // namespace rvwtest
