// The drop-down of FormatCombo and FormatValueCombo cells.
#include "list_editor.h"

#include "RvListCtrl.h"

#include <vssym32.h>

namespace rvl {
namespace {

constexpr int kEditableLeft = 1, kListLeft = 3; // from the cell's left edge
constexpr int kDropRows = 7;                    // drop-down height in cell heights
constexpr int kFieldShrink = 6;                 // selection field: cell height minus this
constexpr UINT kReflectedCommand = WM_COMMAND + 0x2000;

} // namespace

CListCombo::~CListCombo() {
    Discard(); // while the edit field's slot still exists
    if (theme_) CloseThemeData(theme_);
}

bool CListCombo::Open(const EditRequest& request, const std::vector<std::wstring>* entries,
                      const ValueMap* values) {
    const bool editable = request.flags & FlagComboEdit;
    DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | CBS_SORT | CBS_AUTOHSCROLL;
    style |= editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    if (request.flags & FlagUpperCase) style |= CBS_UPPERCASE;
    const int cellHeight = request.cell.bottom - request.cell.top;
    const RECT r{request.cell.left + (editable ? kEditableLeft : kListLeft), request.cell.top,
                 request.cell.right, request.cell.top + cellHeight * kDropRows};
    if (!CreateEditor(request, L"COMBOBOX", style, r)) return false;
    HWND combo = window_.get();
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), cellHeight - kFieldShrink);
    values_ = values != nullptr;
    int selected = CB_ERR;
    if (values) {
        wchar_t* end = nullptr;
        const long long wanted = std::wcstoll(request.text.c_str(), &end, 10);
        const bool numeric = end && end != request.text.c_str();
        for (const auto& [value, text] : *values) {
            const LRESULT at =
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            if (at < 0) continue;
            SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at),
                         static_cast<LPARAM>(value));
            if (numeric && value == wanted) selected = static_cast<int>(at);
        }
        // Sorting moved the entries: find the wanted one by its value.
        if (selected != CB_ERR) {
            const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i)
                if (static_cast<long long>(SendMessageW(combo, CB_GETITEMDATA, i, 0)) == wanted)
                    selected = static_cast<int>(i);
        }
    } else if (entries) {
        for (const std::wstring& entry : *entries)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        selected = static_cast<int>(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(request.text.c_str())));
    }
    if (editable) {
        SetWindowTextW(combo, request.text.c_str());
        SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(combo, &info) && info.hwndItem && info.hwndItem != combo)
            Subclass(info.hwndItem, field_);
    } else if (selected != CB_ERR) {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
    if (theme_) CloseThemeData(theme_);
    theme_ = OpenThemeData(combo, L"COMBOBOX");
    hot_ = tracking_ = false;
    UpdateParts();
    ShowWindow(combo, SW_SHOW);
    SetFocus(combo);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    return true;
}

bool CListCombo::SelectedValue(int64_t* value) const {
    if (!values_ || !window_) return false;
    const LRESULT at = SendMessageW(window_.get(), CB_GETCURSEL, 0, 0);
    if (at < 0) return false;
    *value = static_cast<int64_t>(SendMessageW(window_.get(), CB_GETITEMDATA, at, 0));
    return true;
}

void CListCombo::UpdateParts() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (window_ && GetComboBoxInfo(window_.get(), &info)) {
        editRect_ = info.rcItem;
        buttonRect_ = info.rcButton;
    }
}

void CListCombo::Finish() {
    HWND combo = window_.get();
    std::wstring text;
    if (flags_ & FlagComboEdit) {
        text = WindowText(combo);
    } else {
        const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        const LRESULT length = at >= 0 ? SendMessageW(combo, CB_GETLBTEXTLEN, at, 0) : CB_ERR;
        if (length > 0) {
            text.assign(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(combo, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(length));
        }
    }
    Report(text, nullptr);
}

// The drop button drawn over the control's own: themed where there is a
// visual style (hot under the mouse), else as a classic frame control.
void CListCombo::Paint(HDC dc) {
    if (IsRectEmpty(&buttonRect_)) return;
    if (theme_) {
        const int state = hot_ ? CBXS_HOT : CBXS_NORMAL;
        DrawThemeBackground(theme_, dc, CP_DROPDOWNBUTTON, state, &buttonRect_, nullptr);
    } else {
        RECT r = buttonRect_;
        DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (hot_ ? DFCS_HOT : 0));
    }
}

LRESULT CListCombo::Handle(Slot& slot, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool field = &slot == &field_;
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_CHAR:
        if (EndingKey(wParam)) return 0;
        if (field && FilterNumber(window, static_cast<wchar_t>(wParam))) return 0;
        break;
    case kReflectedCommand:
        if (!field && HIWORD(wParam) == CBN_KILLFOCUS) {
            Finish();
            return 0;
        }
        break;
    case WM_PAINT:
        if (!field) {
            const LRESULT result = CallPrevious(slot, window, message, wParam, lParam);
            if (HDC dc = GetDC(window)) {
                Paint(dc);
                ReleaseDC(window, dc);
            }
            return result;
        }
        break;
    case WM_MOUSEMOVE:
        if (!field) {
            const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const bool hot = PtInRect(&buttonRect_, p) != 0;
            if (hot && !tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                tracking_ = TrackMouseEvent(&track) != 0;
            }
            if (hot != hot_) {
                hot_ = hot;
                InvalidateRect(window, &buttonRect_, FALSE);
            }
        }
        break;
    case WM_MOUSELEAVE:
        if (!field) {
            tracking_ = false;
            if (hot_) {
                hot_ = false;
                InvalidateRect(window, &buttonRect_, FALSE);
            }
        }
        break;
    case WM_SIZE:
        if (!field) {
            const LRESULT result = CallPrevious(slot, window, message, wParam, lParam);
            UpdateParts();
            return result;
        }
        break;
    case WM_THEMECHANGED:
        if (!field) {
            if (theme_) CloseThemeData(theme_);
            theme_ = OpenThemeData(window, L"COMBOBOX");
        }
        break;
    default:
        break;
    }
    return CallPrevious(slot, window, message, wParam, lParam);
}

} // namespace rvl
