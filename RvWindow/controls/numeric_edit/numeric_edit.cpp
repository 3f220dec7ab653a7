#include "numeric_edit.h"

#include "dialog_record.h"
#include "display_format.h"
#include "subclassing.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <new>
#include <string_view>

namespace rvw {
namespace {

constexpr size_t kTypedStorage = kDisplayLength + 1;

} // namespace

int NumericEdit::Init(HWND window) {
    if (!window) return 0;
    NumericEdit* record = AttachRecord(new (std::nothrow) NumericEdit, window, Procedure,
                                       &NumericEdit::window_, &NumericEdit::previous_);
    if (!record) return -1;
    record->Redisplay();
    return 0;
}

NumericEdit* NumericEdit::From(HWND window) {
    NumericEdit* record = SignedRecord<NumericEdit>(window, kNumericEditSignature);
    return record && record->window_ == window ? record : nullptr;
}

LRESULT CALLBACK NumericEdit::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The slot is only ever set by Init, so it is trusted here.
    auto* record = reinterpret_cast<NumericEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!record) return DefWindowProcW(window, message, wParam, lParam);
    return record->Handle(message, wParam, lParam);
}

LRESULT NumericEdit::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case kBindScrollBar:
    case kBindThirdWindow:
    case kBindTrackbar:
        Bind(message, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_VSCROLL:
        // A vertical scroll bar or trackbar bound to the edit drives it as a
        // horizontal one does; other vertical scrolling is the edit control's.
        if (!lParam || (reinterpret_cast<HWND>(lParam) != scrollBar_ &&
                        reinterpret_cast<HWND>(lParam) != trackbar_))
            break;
        [[fallthrough]];
    case WM_HSCROLL:
        // Scrolling of bound controls is not the edit control's business, so
        // it does not get the message.
        if (Scroll(wParam)) NotifyParent(window); // last: the parent may destroy us
        return 0;
    case WM_NCDESTROY: {
        const WNDPROC previous = previous_;
        Unsubclass(window, previous);
        SecureZeroMemory(&signature_, sizeof signature_);
        delete this;
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    default:
        break;
    }
    const LRESULT result = CallWindowProcW(previous_, window, message, wParam, lParam);
    if (message == WM_KILLFOCUS || message == WM_KEYUP) {
        // The edit control may have been destroyed while it handled the message.
        NumericEdit* self = From(window);
        if (self && self->AcceptInput(message == WM_KEYUP)) NotifyParent(window);
    }
    return result;
}

void NumericEdit::Bind(UINT message, HWND window) {
    if (message == kBindScrollBar) {
        scrollBar_ = window;
        UpdateScrollRange();
    } else if (message == kBindThirdWindow) {
        thirdWindow_ = window;
    } else {
        trackbar_ = window;
    }
    Redisplay();
}

std::wstring NumericEdit::DisplayText() const {
    return FormatDisplay(format_, value_ * scale_ + offset_, unit_);
}

void NumericEdit::Redisplay() {
    SetWindowTextW(window_, DisplayText().c_str());
    if (scrollBar_ && IsWindow(scrollBar_))
        SetScrollPos(scrollBar_, SB_CTL, ScrollPosition(), TRUE);
    if (trackbar_ && IsWindow(trackbar_))
        SendMessageW(trackbar_, TBM_SETPOS, TRUE, static_cast<LPARAM>(ScrollPosition()));
}

void NumericEdit::SetValue(double value) {
    Snap(value);
    if (!textEdited_) Redisplay();
}

bool NumericEdit::SetFormat(const std::wstring& format) {
    if (format.size() > kFormatLength) return false;
    const std::wstring stored = format + L"%s";
    if (!IsDisplayFormat(stored)) return false;
    CopyTruncated(format_, kFormatStorage - 1, stored);
    Redisplay();
    return true;
}

void NumericEdit::SetUnit(const std::wstring& unit) {
    CopyTruncated(unit_, kUnitLength, unit);
    Redisplay();
}

bool NumericEdit::SetScale(double scale, double offset) {
    if (scale == 0 || !std::isfinite(scale) || !std::isfinite(offset)) return false;
    scale_ = scale;
    offset_ = offset;
    Redisplay();
    return true;
}

bool NumericEdit::AcceptInput(bool keyUp) {
    wchar_t typed[kTypedStorage] = L"";
    GetWindowTextW(window_, typed, static_cast<int>(kTypedStorage));
    const std::wstring_view text(typed);
    if (!textEdited_ && text == DisplayText()) return false;
    textEdited_ = 1;
    if (keyUp && text.find_first_of(L"\r\n") == std::wstring_view::npos) return false;
    textEdited_ = 0;
    double number = 0;
    if (std::swscanf(typed, L"%lf", &number) != 1 || !std::isfinite(number)) {
        Redisplay();
        return false;
    }
    SetValue((number - offset_) / scale_);
    SendMessageW(window_, EM_SETSEL, 0, -1);
    return true;
}

} // namespace rvw
