#include "dialog_window.h"

#include "add_control.h"
#include "background.h"
#include "dialog_record.h"
#include "dispatch.h"
#include "layout.h"
#include "runtime_libraries.h"

namespace rvw {
namespace {

// The slot is only ever set by this procedure, so it is trusted here.
DialogRecord* SlotRecord(HWND dialog) {
    return reinterpret_cast<DialogRecord*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void ForgetWindow(HWND dialog) {
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* record = reinterpret_cast<DialogRecord*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        if (record) record->window = dialog;
        return FALSE;
    }
    DialogRecord* record = SlotRecord(dialog);
    if (!record) return 0;

    switch (message) {
    case WM_ERASEBKGND:
        return EraseBackground(*record, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return ControlColour(*record, reinterpret_cast<HDC>(wParam));
    case WM_SHOWWINDOW:
        if (wParam) AutoSizeOnShow(*record);
        // Handlers of the resize may have destroyed the dialog.
        record = SlotRecord(dialog);
        if (!record) return 0;
        break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED) record->layoutChanged = 0;
        break;
    case WM_NCDESTROY: {
        const INT_PTR result = DispatchMessageToHandlers(*record, message, wParam, lParam);
        if (record->ownedByWindow) {
            ForgetWindow(dialog);
            FreeRecord(record);
        }
        return result;
    }
    default:
        break;
    }
    return DispatchMessageToHandlers(*record, message, wParam, lParam);
}

} // namespace

DialogRecord* CreateBuilderDialog(HWND owner, const wchar_t* title) {
    DialogRecord* record = NewRecord();
    if (!record) return nullptr;
    HWND dialog = CreateDialogParamW(ThisModule(), MAKEINTRESOURCEW(kDialogTemplate), owner,
                                     DialogProc, reinterpret_cast<LPARAM>(record));
    if (!dialog || dialog != record->window) {
        if (dialog) {
            ForgetWindow(dialog);
            DestroyWindow(dialog);
        }
        if (record->window && IsWindow(record->window)) {
            ForgetWindow(record->window);
            DestroyWindow(record->window);
        }
        FreeRecord(record);
        return nullptr;
    }
    SetWindowTextW(dialog, title);
    record->ownedByWindow = 1;
    return record;
}

void MeasureLayoutOnce() {
    if (MetricsMeasured()) return;
    DialogRecord* probe = CreateBuilderDialog(nullptr, L"RvDialog");
    if (!probe) return;
    probe->ownedByWindow = 0;
    HWND combo = nullptr;
    if (AddControlTo(*probe, L"cbCombo", L"combobox", CBS_DROPDOWNLIST, 0, 0, 155, &combo) == 0) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(combo, &info)) {
            const LONG h = info.rcItem.bottom - info.rcItem.top;
            if (h > 0) SetMetricsFromItemHeight(h);
        }
    }
    HWND window = probe->window;
    ForgetWindow(window);
    DestroyWindow(window);
    FreeRecord(probe);
}

} // namespace rvw
