// Creating builder dialogs and recognising them.
#include "RvWindow.h"
#include "dialog_record.h"
#include "dialog_window.h"
#include "rv_args.h"

namespace {

int CreateExport(uint32_t owner, const wchar_t* title, uint32_t* dialog) {
    // Without a place for the handle the dialog could never be reached or freed.
    if (!rv::IsWritable(dialog, sizeof *dialog)) return -1;
    std::wstring_view titleText;
    if (!rv::ReadWideArgument(title, &titleText)) title = nullptr;
    rvw::MeasureLayoutOnce();
    rvw::DialogRecord* record = rvw::CreateBuilderDialog(rvw::ToWindow(owner), title);
    if (!record) return -1;
    *dialog = rvw::ToHandle(record->window);
    return 0;
}

} // namespace

RVWINDOW_API int RvDialog_Create(uint32_t owner, const wchar_t* title, uint32_t* dialog) {
    return rv::Guarded(-1, [&] { return CreateExport(owner, title, dialog); });
}

RVWINDOW_API int RvDialog_CreateA(uint32_t owner, const char* title, uint32_t* dialog) {
    return rv::Guarded(-1, [&] {
        const rv::AnsiArgument wideTitle(title);
        return CreateExport(owner, wideTitle.get(), dialog);
    });
}

RVWINDOW_API int RvDialog_IsRvDialog(uint32_t dialog) {
    return rv::Guarded(0, [&] { return rvw::RecordOf(dialog) ? 1 : 0; });
}
