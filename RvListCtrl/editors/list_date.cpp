// The date picker of FormatDateTime cells.
#include "list_editor.h"

#include "RvListCtrl.h"
#include "cell_text.h"

#include <commctrl.h>

namespace rvl {
namespace {

constexpr int kInsetX = 3, kInsetY = 2;
constexpr int kLocaleField = 80;
constexpr UINT kReflectedNotify = WM_NOTIFY + 0x2000;

std::wstring LocaleText(LCTYPE type) {
    wchar_t buffer[kLocaleField] = L"";
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, kLocaleField)) return {};
    return buffer;
}

std::wstring DisplayFormat(uint32_t flags) {
    if (flags & FlagDateOnly) return LocaleText(LOCALE_SSHORTDATE);
    if (flags & FlagTimeOnly) return LocaleText(LOCALE_STIMEFORMAT);
    return LocaleText(LOCALE_SSHORTDATE) + L" " + LocaleText(LOCALE_STIMEFORMAT);
}

} // namespace

bool CListDate::Open(const EditRequest& request) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    DWORD style = WS_CHILD | WS_CLIPCHILDREN;
    if (request.flags & FlagTimeOnly) style |= DTS_UPDOWN;
    if (request.flags & FlagDateNone) style |= DTS_SHOWNONE;
    const RECT r{request.cell.left + kInsetX, request.cell.top + kInsetY,
                 request.cell.right - kInsetX, request.cell.bottom - kInsetY};
    if (!CreateEditor(request, DATETIMEPICK_CLASSW, style, r)) return false;
    HWND picker = window_.get();
    if (font_) SendMessageW(picker, DTM_SETMCFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    const std::wstring format = DisplayFormat(request.flags);
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format.c_str()));

    SYSTEMTIME date{};
    ReadDateText(request.text, &date);
    if (request.flags & FlagTimeOnly) {
        SYSTEMTIME today{};
        SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&today));
        date.wYear = today.wYear;
        date.wMonth = today.wMonth;
        date.wDay = today.wDay;
        date.wDayOfWeek = today.wDayOfWeek;
    }
    // Some pickers want a date even for "none": it is ignored there.
    if (!(request.flags & FlagTimeOnly) && date.wYear == 0)
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&date));
    else
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
    ShowWindow(picker, SW_SHOW);
    SetFocus(picker);
    return true;
}

void CListDate::Finish() {
    HWND picker = window_.get();
    if (HWND calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0)))
        ShowWindow(calendar, SW_HIDE);
    SYSTEMTIME date{};
    const bool valid =
        SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) == GDT_VALID;
    if (!valid) date = SYSTEMTIME{};
    if (flags_ & FlagDateOnly) date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
    if (flags_ & FlagTimeOnly) date.wYear = date.wMonth = date.wDayOfWeek = date.wDay = 0;
    Report(valid ? L"1" : L"0", &date);
}

LRESULT CListDate::Handle(Slot& slot, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_CHAR:
        if (EndingKey(wParam)) return 0;
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CallPrevious(slot, window, message, wParam, lParam);
        // Its own month calendar taking the focus does not end the edit.
        HWND to = reinterpret_cast<HWND>(wParam);
        HWND calendar = reinterpret_cast<HWND>(SendMessageW(window, DTM_GETMONTHCAL, 0, 0));
        if (to && (IsChild(window, to) || (calendar && (to == calendar || IsChild(calendar, to)))))
            return result;
        Finish();
        return result;
    }
    case kReflectedNotify: {
        // The calendar closing hands the keys back to the picker, not to the list.
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->code == DTN_CLOSEUP && open_ && GetFocus() != window)
            SetFocus(window);
        return 0;
    }
    default:
        break;
    }
    return CallPrevious(slot, window, message, wParam, lParam);
}

} // namespace rvl
