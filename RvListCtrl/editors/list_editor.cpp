// What the three editors share: their window's life, the subclass, the
// ending keys, the number filter and the report to the list.
#include "list_editor.h"

#include "RvListCtrl.h"
#include "number_filter.h"

#include <algorithm>

namespace rvl {
namespace {

const wchar_t kSlotProperty[] = L"RvListCtrl.editor";

} // namespace

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
    return text;
}

LRESULT CALLBACK ListEditor::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* slot = static_cast<Slot*>(GetPropW(window, kSlotProperty));
    if (!slot) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC previous = slot->previous;
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(window, kSlotProperty);
        slot->previous = nullptr;
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    return slot->owner->Handle(*slot, window, message, wParam, lParam);
}

bool ListEditor::Subclass(HWND window, Slot& slot) {
    if (!window || !SetPropW(window, kSlotProperty, &slot)) return false;
    slot.owner = this;
    slot.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    return true;
}

LRESULT ListEditor::CallPrevious(const Slot& slot, HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
    return slot.previous ? CallWindowProcW(slot.previous, window, message, wParam, lParam)
                         : DefWindowProcW(window, message, wParam, lParam);
}

void ListEditor::Discard() {
    open_ = false;
    window_.reset();
}

bool ListEditor::CreateEditor(const EditRequest& request, const wchar_t* windowClass, DWORD style,
                              const RECT& r) {
    Discard(); // one editor of a kind at a time; the last window goes
    list_ = request.list;
    item_ = request.item;
    column_ = request.column;
    flags_ = request.flags;
    endKey_ = 0;
    if (!font_) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    window_.reset(CreateWindowExW(0, windowClass, nullptr, style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, list_, nullptr, nullptr, nullptr));
    if (!window_ || !Subclass(window_.get(), slot_)) {
        window_.reset();
        return false;
    }
    if (font_) SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), 0);
    open_ = true;
    return true;
}

bool ListEditor::EndingKey(WPARAM key) {
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
    endKey_ = static_cast<WORD>(key);
    SetFocus(list_); // losing the focus ends the edit
    return true;
}

bool ListEditor::FilterNumber(HWND field, wchar_t character) {
    if (!(flags_ & (FlagNumber | FlagFloat)) || character == VK_BACK) return false;
    const std::wstring text = WindowText(field);
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
    end = std::min<DWORD>(std::max(start, end), static_cast<DWORD>(text.size()));
    if (character == L'-' && (flags_ & FlagNegative)) {
        const std::wstring negated = NegatedNumber(text, flags_);
        // The caret follows the sign that came or went.
        const int moved = negated.size() > text.size() ? 1 : -1;
        SetWindowTextW(field, negated.c_str());
        const auto caret = [&](DWORD at) {
            const long long moved64 = static_cast<long long>(at) + moved;
            return static_cast<LPARAM>(
                std::clamp<long long>(moved64, 0, static_cast<long long>(negated.size())));
        };
        SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(caret(start)), caret(end));
        return true;
    }
    if (character < L' ') return false; // control characters: the field's own
    std::wstring after = text.substr(0, start) + character + text.substr(end);
    return !NumberTextAllowed(after, flags_);
}

void ListEditor::Report(const std::wstring& text, const SYSTEMTIME* date) {
    if (!open_) return;
    open_ = false;
    RvListNotify record{};
    record.header.hwndFrom = window_.get();
    record.header.idFrom = static_cast<UINT_PTR>(static_cast<INT_PTR>(GetDlgCtrlID(window_.get())));
    record.header.code = static_cast<UINT>(ListEndEdit);
    record.item = item_;
    record.column = column_;
    record.key = endKey_;
    record.text = text.c_str();
    record.date = date;
    SendMessageW(list_, WM_NOTIFY, record.header.idFrom, reinterpret_cast<LPARAM>(&record));
    if (window_) ShowWindow(window_.get(), SW_HIDE);
}

} // namespace rvl
