// The row-and-column flow layout: process-wide metrics and the placement of
// each new control.
#pragma once

#include <windows.h>

#include <cstdint>

namespace rvw {

struct DialogRecord;

struct LayoutMetrics {
    int32_t topMargin = 10;
    int32_t rowGap = 4;
    int32_t leftMargin = 10;
    int32_t rowHeight = 14;
    int32_t controlHeight = 14;
};

// The metrics in force; measured once per process by the first dialog.
const LayoutMetrics& Metrics();
bool MetricsMeasured();
// Sets every metric from the item height of a drop-down list in the dialog font.
void SetMetricsFromItemHeight(int32_t itemHeight);

// What a control about to be added needs to know about itself.
struct ControlShape {
    int32_t xOffsetOrLines;
    int32_t width;
    bool isStatic;         // Win32 class exactly "static": sits lower in its row
    bool isCombobox;       // Win32 class exactly "combobox": full height
    bool joinsPreviousRow; // a scroll bar bound to the control before it
};

// Where a control goes, and the row and column the dialog is in once it is there.
struct Placement {
    int32_t x, y, width, height;
    int32_t bottom; // row y + full height: the line the row's extent follows
    int32_t columnX, rowY, rowBottom;
    uint32_t pendingRow, pendingColumn;
};

// Computes the placement without touching the record, so that a control
// that cannot be created leaves the layout as it was.
Placement PlaceControl(const DialogRecord& record, const ControlShape& shape);
// Commits a placement once its window exists, widening the dialog's extent.
void RecordPlaced(DialogRecord& record, const Placement& placement, HWND control);

// A child window's rectangle in the client coordinates of its parent.
RECT ControlClientRect(HWND control);

// On first show: sizes the dialog to its controls when asked to.
void AutoSizeOnShow(DialogRecord& record);

} // namespace rvw
