#include "numeric_scrollbar.h"

#include "RvWindow.h"
#include "numeric_edit.h"
#include "subclassing.h"

#include <cstdint>
#include <new>

namespace rvw {

int NumericScrollBar::Init(HWND window) {
    if (!window) return 0;
    NumericScrollBar* record =
        AttachRecord(new (std::nothrow) NumericScrollBar, window, Procedure,
                     &NumericScrollBar::window_, &NumericScrollBar::previous_);
    if (!record) return 0;
    record->BindToPreviousSibling();
    return 0;
}

NumericScrollBar* NumericScrollBar::From(HWND window) {
    return ProcedureRecord<NumericScrollBar>(window, Procedure);
}

void NumericScrollBar::BindToPreviousSibling() {
    HWND sibling = GetWindow(window_, GW_HWNDPREV);
    if (!NumericEdit::From(sibling)) return;
    edit_ = sibling;
    SendMessageW(sibling, kBindScrollBar, 0, reinterpret_cast<LPARAM>(window_));
    const auto dialog = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetParent(window_)));
    RvDialog_AddMessageHandler(dialog, window_, WM_HSCROLL, WM_VSCROLL, 0, 0,
                               reinterpret_cast<uintptr_t>(window_), ~uint64_t{0}, ForwardScroll,
                               L"");
}

INT_PTR NumericScrollBar::ForwardScroll(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                        const wchar_t*) {
    NumericScrollBar* bar = From(reinterpret_cast<HWND>(lParam));
    // The edit may be gone, or its handle taken by another window.
    if (!bar || !NumericEdit::From(bar->edit_)) return 0;
    return SendMessageW(bar->edit_, message, wParam, lParam);
}

LRESULT CALLBACK NumericScrollBar::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* record = reinterpret_cast<NumericScrollBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!record) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = record->previous_;
    if (message == WM_NCDESTROY) {
        Unsubclass(window, previous);
        delete record;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

} // namespace rvw
