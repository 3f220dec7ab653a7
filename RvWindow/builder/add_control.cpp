#include "add_control.h"

#include "class_registry.h"
#include "dialog_record.h"
#include "layout.h"
#include "rv_args.h"
#include "runtime_libraries.h"

#include <string>

namespace rvw {
namespace {

// The Win32 class a macro's class name stands for, and what comes with it.
struct ResolvedClass {
    std::wstring win32Class;
    RvControlInitialiser initialiser = nullptr;
    bool boundScrollBar = false; // joins the row of the control before it
};

ResolvedClass ResolveClass(std::wstring_view requested) {
    ResolvedClass r;
    r.win32Class = requested;
    if (SameClassName(r.win32Class, L"RICHEDIT")) r.win32Class = L"RICHEDIT50W";
    if (SameClassName(r.win32Class, L"RICHEDIT50W")) LoadRichEdit();
    if ((SameClassName(r.win32Class, L"LISTBOX") || SameClassName(r.win32Class, L"LISTCTRL") ||
         SameClassName(r.win32Class, L"RvListCtrl")) &&
        LoadListLibrary())
        r.win32Class = L"RvListCtrl";
    if (const ClassEntry* entry = FindClass(r.win32Class)) {
        r.boundScrollBar = std::wstring_view(entry->alias) == L"RvLsScrollbar";
        r.initialiser = entry->initialiser;
        r.win32Class = entry->baseClass;
    }
    return r;
}

} // namespace

int AddControlTo(DialogRecord& record, const wchar_t* name, const wchar_t* windowClass,
                 uint32_t style, uint32_t exStyle, int32_t xOffsetOrLines, int32_t width,
                 HWND* created) {
    std::wstring_view requested, nameText;
    if (!rv::ReadWideArgument(windowClass, &requested)) return -1;
    if (!rv::ReadWideArgument(name, &nameText)) nameText = {};
    const ResolvedClass cls = ResolveClass(requested);

    if (SameClassName(cls.win32Class, L"edit") && xOffsetOrLines == -1) exStyle = WS_EX_CLIENTEDGE;

    ControlShape shape{};
    shape.xOffsetOrLines = xOffsetOrLines;
    shape.width = width;
    shape.isStatic = cls.win32Class == L"static";
    shape.isCombobox = cls.win32Class == L"combobox";
    shape.joinsPreviousRow = cls.boundScrollBar && !record.controls.empty();
    const Placement place = PlaceControl(record, shape);

    HWND dialog = record.window;
    const auto id = static_cast<INT_PTR>(record.controls.size());
    HWND control = CreateWindowExW(
        exStyle, cls.win32Class.c_str(), L"", style | WS_CHILD | WS_VISIBLE, place.x, place.y,
        place.width, place.height, dialog, reinterpret_cast<HMENU>(id), ThisModule(), nullptr);
    if (!control) return -1;

    SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    if (cls.initialiser) cls.initialiser(control);
    // Handlers ran during the creation and the initialiser is outside code:
    // the dialog and the control must both still be there.
    if (RecordOf(dialog) != &record || !IsWindow(control)) return -1;

    // A control that cannot be entered in the table still stands in the layout.
    if (RoomForOne(record.controls)) {
        ControlEntry entry{};
        CopyTruncated(entry.name, kNameLength, nameText);
        entry.window = control;
        record.controls.push_back(entry);
    }
    RecordPlaced(record, place, control);
    if (created) *created = control;
    return 0;
}

} // namespace rvw

namespace {

int AddControlExport(uint32_t dialog, const wchar_t* name, const wchar_t* windowClass,
                     uint32_t style, uint32_t exStyle, int32_t xOffsetOrLines, int32_t width,
                     uint32_t* control) {
    return rv::Guarded(-1, [&] {
        rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return 0;
        HWND created = nullptr;
        const int result = rvw::AddControlTo(*record, name, windowClass, style, exStyle,
                                             xOffsetOrLines, width, &created);
        if (result == 0 && control && rv::IsWritable(control, sizeof *control))
            *control = rvw::ToHandle(created);
        return result;
    });
}

} // namespace

RVWINDOW_API int RvDialog_AddControlEx(uint32_t dialog, const wchar_t* name,
                                       const wchar_t* windowClass, uint32_t style, uint32_t exStyle,
                                       int32_t xOffsetOrLines, int32_t width, uint32_t* control) {
    return AddControlExport(dialog, name, windowClass, style, exStyle, xOffsetOrLines, width,
                            control);
}

RVWINDOW_API int RvDialog_AddControl(uint32_t dialog, const wchar_t* name,
                                     const wchar_t* windowClass, uint32_t style,
                                     int32_t xOffsetOrLines, int32_t width, uint32_t* control) {
    return AddControlExport(dialog, name, windowClass, style, 0, xOffsetOrLines, width, control);
}

RVWINDOW_API int RvDialog_AddControlA(uint32_t dialog, const char* name, const char* windowClass,
                                      uint32_t style, int32_t xOffsetOrLines, int32_t width,
                                      uint32_t* control) {
    return rv::Guarded(-1, [&] {
        const rv::AnsiArgument wideName(name), wideClass(windowClass);
        return AddControlExport(dialog, wideName.get(), wideClass.get(), style, 0, xOffsetOrLines,
                                width, control);
    });
}
