// The progress bar ("RvProgressbar") that counts itself up on timer 1 or down
// on timer 2 and writes a completion text to a window when it gets there.
#pragma once

#include <windows.h>

#include <string_view>

namespace rvw {

constexpr UINT_PTR kCountUpTimer = 1;
constexpr UINT_PTR kCountDownTimer = 2;
constexpr size_t kCompletionStorage = 64;
constexpr size_t kCompletionLength = 63;

class ProgressBar {
  public:
    static int Init(HWND window);
    // The record of such a progress bar, or null. Its record has no
    // signature: it is recognised by the window still running this
    // procedure and the record naming the window.
    static ProgressBar* From(HWND window);

    HWND window() const { return window_; }
    void SetCompletion(HWND target, std::wstring_view text);

  private:
    ProgressBar() = default;
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    void Tick(UINT_PTR timer);

    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    HWND target_ = nullptr;
    wchar_t text_[kCompletionStorage] = L"";
};

} // namespace rvw
