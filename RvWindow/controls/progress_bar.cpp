#include "progress_bar.h"

#include "RvWindow.h"
#include "dialog_record.h"
#include "rv_args.h"
#include "subclassing.h"

#include <commctrl.h>

#include <new>

namespace rvw {

int ProgressBar::Init(HWND window) {
    if (!window) return 0;
    AttachRecord(new (std::nothrow) ProgressBar, window, Procedure, &ProgressBar::window_,
                 &ProgressBar::previous_);
    return 0;
}

ProgressBar* ProgressBar::From(HWND window) {
    return ProcedureRecord<ProgressBar>(window, Procedure);
}

void ProgressBar::SetCompletion(HWND target, std::wstring_view text) {
    target_ = target;
    CopyTruncated(text_, kCompletionLength, text);
}

void ProgressBar::Tick(UINT_PTR timer) {
    PBRANGE range{};
    SendMessageW(window_, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    int position = static_cast<int>(SendMessageW(window_, PBM_GETPOS, 0, 0));
    bool done = false;
    if (timer == kCountUpTimer) {
        ++position;
        done = position >= range.iHigh;
    } else if (timer == kCountDownTimer) {
        --position;
        done = range.iLow >= position;
    }
    SendMessageW(window_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    if (!done) return;
    KillTimer(window_, timer);
    if (target_ && IsWindow(target_))
        SendMessageW(target_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_));
}

LRESULT CALLBACK ProgressBar::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<ProgressBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!record) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = record->previous_;
    if (message == WM_NCDESTROY) {
        Unsubclass(window, previous);
        delete record;
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
    if (message == WM_TIMER && GetWindowLongPtrW(window, GWLP_USERDATA)) record->Tick(wParam);
    return result;
}

} // namespace rvw

RVWINDOW_API int RvProgressBar_SetCompletionText(uint32_t progressBar, uint32_t target,
                                                 const wchar_t* text) {
    return rv::Guarded(0, [&] {
        rvw::ProgressBar* bar = rvw::ProgressBar::From(rvw::WindowOf(progressBar));
        std::wstring_view view;
        if (!bar || !rv::ReadWideArgument(text, &view)) return 0;
        bar->SetCompletion(rvw::WindowOf(target), view);
        return 1;
    });
}
