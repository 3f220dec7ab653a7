// The scroll bar ("RvLsScrollbar") that drives the numeric edit created just
// before it: its scroll messages reach the dialog, and a handler there hands
// them to the edit.
#pragma once

#include <windows.h>

namespace rvw {

class NumericScrollBar {
  public:
    // Subclasses a new scroll bar and binds it; 0 in every case (the builder ignores it).
    static int Init(HWND window);
    // The record of such a scroll bar, or null. Its record has no signature:
    // it is recognised by the window still running this procedure and the
    // record naming the window.
    static NumericScrollBar* From(HWND window);

    HWND window() const { return window_; }
    HWND edit() const { return edit_; }

  private:
    NumericScrollBar() = default;
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    static INT_PTR ForwardScroll(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                 const wchar_t* text);
    void BindToPreviousSibling();

    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    HWND edit_ = nullptr;
};

} // namespace rvw
