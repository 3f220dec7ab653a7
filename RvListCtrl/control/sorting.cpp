// Sorting by a header column: ascending first, reversed on the next click.
#include "rv_list_ctrl.h"

namespace rvl {

int CRvListCtrl::SortColumn(int32_t column) {
    const Column* c = ColumnAt(column);
    if (!view_.headerShown || !view_.sortArrows || !c) return 0;
    AbandonEdit();
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (c->index == view_.sortColumn) {
        view_.ascending = !view_.ascending;
        Reverse();
    } else {
        view_.ascending = true;
        view_.sortColumn = c->index;
        SortBy(c->index);
    }
    SetCursor(previous);
    ClearSelection();
    InvalidateRect(window_, nullptr, FALSE);
    return 1;
}

bool CRvListCtrl::SortState(int32_t* column, int32_t* ascending) const {
    if (view_.headerShown && view_.sortArrows && view_.sortColumn != kNone) {
        *column = view_.sortColumn;
        *ascending = view_.ascending ? 1 : 0;
        return true;
    }
    *column = kNone; // nothing sorted: no column, and the order a first click gives
    *ascending = 1;
    return false;
}

} // namespace rvl
