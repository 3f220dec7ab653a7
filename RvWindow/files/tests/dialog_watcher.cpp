#include "dialog_watcher.h"

namespace rvftest {
namespace {

constexpr DWORD kPollMs = 2;
constexpr ULONGLONG kGiveUpMs = 20000;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (IsWindowVisible(window) && std::wstring_view(cls) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

DialogWatcher::DialogWatcher(DWORD thread, Action action)
    : thread_(thread), action_(std::move(action)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), watcher_([this] { Watch(); }) {}

DialogWatcher::~DialogWatcher() {
    SetEvent(stop_);
    watcher_.join();
    CloseHandle(stop_);
}

void DialogWatcher::Watch() {
    const ULONGLONG deadline = GetTickCount64() + kGiveUpMs;
    while (WaitForSingleObject(stop_, kPollMs) == WAIT_TIMEOUT && GetTickCount64() < deadline) {
        HWND dialog = nullptr;
        EnumThreadWindows(thread_, FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) continue;
        action_(dialog);
        answered_ = true;
        return;
    }
}

void Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

} // namespace rvftest
