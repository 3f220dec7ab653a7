// Stands in for the list-control library in tests: loading it registers a
// window class "RvListCtrl", as the real one does.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        WNDCLASSW wc{};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.lpszClassName = L"RvListCtrl";
        RegisterClassW(&wc);
    }
    return TRUE;
}
