// A top-level window in a process of its own:
//   automation_window_host <title> <ready event name>
// signals the event once the window exists and ends when the window is closed.
#include "unmanaged_windows.h"

#include <windows.h>

#include <shellapi.h>

int main() {
    testsupport::LeaveWindowsUnmanaged();
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count < 3) return 2;
    HWND window = CreateWindowExW(0, L"static", args[1], WS_OVERLAPPED, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return 1;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, args[2]);
    if (ready) SetEvent(ready);
    MSG msg;
    while (IsWindow(window) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_CLOSE || (msg.hwnd == window && msg.message == WM_APP)) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyWindow(window);
    if (ready) CloseHandle(ready);
    LocalFree(args);
    return 0;
}
