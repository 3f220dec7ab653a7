// Exports of the selection and of sorting.
#include "export_call.h"

#include <algorithm>

using namespace rvl;

RVLISTCTRL_API int RvListCtrl_SelectItem(RvList list, int32_t item, int32_t column,
                                         uint32_t keyState) {
    return WithList(list, [&](CRvListCtrl& l) { return l.SelectItem(item, column, keyState); });
}

RVLISTCTRL_API int RvListCtrl_IsSelected(RvList list, int32_t item) {
    return WithList(list, [&](CRvListCtrl& l) { return l.IsSelected(item) ? 1 : 0; });
}

RVLISTCTRL_API int RvListCtrl_GetSelectedItems(RvList list, int32_t* items, int32_t capacity) {
    return WithList(list, [&](CRvListCtrl& l) {
        const auto& selected = l.SelectedItems();
        const size_t count = std::min(selected.size(), static_cast<size_t>(std::max(capacity, 0)));
        if (count == 0) return 0;
        if (!Writable(items, count * sizeof *items)) return kInvalid;
        std::copy(selected.begin(), selected.begin() + static_cast<ptrdiff_t>(count), items);
        return static_cast<int>(count);
    });
}

RVLISTCTRL_API int RvListCtrl_ResetSelected(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.ResetSelection();
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SetFocusItem(RvList list, int32_t item, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) {
        if (item < 0 || item >= l.ItemCount()) return 0;
        l.SetFocusItem(item, column);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetFocusItem(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) { return l.CurrentItem() != kNone ? 1 : 0; });
}

RVLISTCTRL_API int RvListCtrl_SetFocusSubItem(RvList list, int32_t on) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.SetFocusSubItemMode(on != 0);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SetSingleSelect(RvList list, int32_t on) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.SetSingleSelect(on != 0);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SortColumn(RvList list, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) { return l.SortColumn(column); });
}

RVLISTCTRL_API int RvListCtrl_SortItems(RvList list, int32_t columnIndex) {
    return WithList(list, [&](CRvListCtrl& l) {
        // Only the index of an existing column names cells every item has.
        if (!l.ColumnByIndex(columnIndex)) return 0;
        l.AbandonEdit();
        l.SortBy(columnIndex);
        InvalidateRect(l.Window(), nullptr, FALSE);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_ReverseItems(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.AbandonEdit();
        l.Reverse();
        InvalidateRect(l.Window(), nullptr, FALSE);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetSortColumn(RvList list, int32_t* column, int32_t* ascending) {
    return WithList(list, [&](CRvListCtrl& l) {
        int32_t c = kNone, a = 1;
        l.SortState(&c, &a);
        PutValue<int32_t>(column, c);
        PutValue<int32_t>(ascending, a);
        return 1;
    });
}
