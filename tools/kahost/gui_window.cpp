#include "gui_window.h"

#include "screenshot.h"

#include <cstdio>

namespace gui {

namespace {

const UINT kPumpSliceMs = 20;
// What painting and the display need before a window is seen whole.
const unsigned kPaintSettleMs = 200;

} // namespace

void PumpFor(unsigned ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (GetTickCount() - start >= ms) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPumpSliceMs, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool SaveWindowShot(HWND window, const std::wstring& path) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(kPaintSettleMs);
    const bool saved = SaveScreenshot(window, path);
    std::printf("%s %ls\n", saved ? "screenshot saved to" : "could not save", path.c_str());
    return saved;
}

} // namespace gui
