// Steering the flow layout and the dialog's options and background.
#include "RvWindow.h"
#include "background.h"
#include "dialog_record.h"
#include "rv_args.h"

RVWINDOW_API int RvDialog_AddRow(uint32_t dialog) {
    return rv::Guarded(-1, [&] {
        rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return -1;
        record->pendingRow = 1;
        return 0;
    });
}

RVWINDOW_API int RvDialog_AddColumn(uint32_t dialog) {
    return rv::Guarded(0, [&] {
        if (rvw::DialogRecord* record = rvw::RecordOf(dialog)) record->pendingColumn = 1;
        return 0;
    });
}

RVWINDOW_API int RvDialog_AddRemoveOptions(uint32_t dialog, uint32_t set, uint32_t clear) {
    return rv::Guarded(-1, [&] {
        rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return -1;
        record->options = (record->options | set) & ~clear;
        record->pendingRow = 0;
        return static_cast<int>(record->options);
    });
}

RVWINDOW_API int RvDialog_SetBkColor(uint32_t dialog, uint32_t colour) {
    return rv::Guarded(-1, [&] {
        rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return -1;
        rvw::SetBackground(*record, colour);
        return 0;
    });
}
