// Finding, measuring and driving a builder dialog's controls by name.
#include "RvWindow.h"
#include "dialog_record.h"
#include "layout.h"
#include "rv_args.h"

namespace {

int FindControlExport(uint32_t dialog, const wchar_t* name, uint32_t* control) {
    if (const rvw::DialogRecord* record = rvw::RecordOf(dialog))
        rv::WriteOut(control, rvw::ToHandle(rvw::NamedControl(*record, name)));
    return 0;
}

// The target of a message: the dialog itself when no name is given.
INT_PTR SendToNamed(uint32_t dialog, const wchar_t* name, uint32_t message, WPARAM wParam,
                    LPARAM lParam) {
    const rvw::DialogRecord* record = rvw::RecordOf(dialog);
    if (!record) return -1;
    HWND target = rvw::IsEmptyName(name) ? record->window : rvw::NamedControl(*record, name);
    if (!target) return 0;
    return SendMessageW(target, message, wParam, lParam);
}

} // namespace

RVWINDOW_API int RvDialog_FindControl(uint32_t dialog, const wchar_t* name, uint32_t* control) {
    return rv::Guarded(0, [&] { return FindControlExport(dialog, name, control); });
}

RVWINDOW_API int RvDialog_FindControlA(uint32_t dialog, const char* name, uint32_t* control) {
    return rv::Guarded(0, [&] {
        const rv::AnsiArgument wideName(name);
        return FindControlExport(dialog, wideName.get(), control);
    });
}

RVWINDOW_API int RvDialog_GetControlRect(uint32_t dialog, const wchar_t* name, int32_t* left,
                                         int32_t* top, int32_t* right, int32_t* bottom) {
    return rv::Guarded(-1, [&] {
        const rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return -1;
        HWND control = rvw::NamedControl(*record, name);
        if (!control || !IsWindow(control)) return 0;
        const RECT rect = rvw::ControlClientRect(control);
        rv::WriteOut(left, static_cast<int32_t>(rect.left));
        rv::WriteOut(top, static_cast<int32_t>(rect.top));
        rv::WriteOut(right, static_cast<int32_t>(rect.right));
        rv::WriteOut(bottom, static_cast<int32_t>(rect.bottom));
        return 0;
    });
}

RVWINDOW_API INT_PTR RvDialog_SendMessage(uint32_t dialog, const wchar_t* name, uint32_t message,
                                          int32_t wParam, int32_t lParam) {
    return rv::Guarded<INT_PTR>(-1, [&] {
        return SendToNamed(dialog, name, message, static_cast<WPARAM>(INT_PTR{wParam}),
                           LPARAM{lParam});
    });
}

RVWINDOW_API INT_PTR RvDialog_SendMessageString(uint32_t dialog, const wchar_t* name,
                                                uint32_t message, int32_t wParam,
                                                const wchar_t* text) {
    return rv::Guarded<INT_PTR>(-1, [&] {
        // The receiver reads the text; it must be a readable string or null.
        std::wstring_view view;
        if (text && !rv::ReadWideArgument(text, &view)) return INT_PTR{-1};
        return SendToNamed(dialog, name, message, static_cast<WPARAM>(INT_PTR{wParam}),
                           reinterpret_cast<LPARAM>(text));
    });
}

RVWINDOW_API int RvDialog_SetFocus(uint32_t dialog, const wchar_t* name) {
    return rv::Guarded(-1, [&] {
        const rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return -1;
        if (HWND control = rvw::NamedControl(*record, name)) SetFocus(control);
        return 0;
    });
}
