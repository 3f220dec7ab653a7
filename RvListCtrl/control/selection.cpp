// The selection rules shared by clicks, keys and RvListCtrl_SelectItem.
#include "rv_list_ctrl.h"

#include "RvListCtrl.h"

#include <algorithm>

namespace rvl {

int CRvListCtrl::SelectItem(int32_t item, int32_t subItem, uint32_t keyState) {
    if (item < 0 || item >= ItemCount()) return 0;
    Selection& s = Selected();
    const bool shift = keyState & MK_SHIFT, control = keyState & MK_CONTROL;
    const bool range = shift && !view_.singleSelect;
    const bool toggle = !range && (control || shift);
    bool notify = true;

    if (toggle && IsSelected(item)) {
        if (view_.singleSelect) s.items.clear();
        RemoveFromSelection(item);
        s.anchor = s.focus = item;
        s.focusSubItem = SelectedCount() > 1 ? kNone : subItem;
        notify = false;
    } else if (range) {
        if (s.anchor < 0 || s.anchor >= ItemCount()) s.anchor = item;
        for (int32_t i = std::min(s.anchor, item); i <= std::max(s.anchor, item); ++i)
            AddToSelection(i);
    } else if (toggle) {
        if (view_.singleSelect) s.items.clear();
        AddToSelection(item);
    } else if (SelectedCount() == 1 && IsSelected(item)) {
        s.anchor = s.focus = item;
        s.focusSubItem = subItem;
        notify = false;
    } else {
        s.items.clear();
        AddToSelection(item);
    }

    if (notify) {
        s.anchor = s.focus = item;
        s.focusSubItem = SelectedCount() > 1 ? kNone : subItem;
        NotifyParent(ListSelected, item, subItem);
    }
    // A cell off the page waits for the timer, so that scrolling settles first.
    OpenEditorForFocusCell();
    InvalidateRect(window_, nullptr, FALSE);
    return 1;
}

void CRvListCtrl::ResetSelection() {
    Selection& s = Selected();
    s.items.clear();
    s.anchor = s.focus = kNone;
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::SetFocusItem(int32_t item, int32_t column) {
    Selection& s = Selected();
    s.focus = item;
    s.focusSubItem = column;
    EnsureVisible(item, column);
    InvalidateRect(window_, nullptr, FALSE);
}

int32_t CRvListCtrl::CurrentItem() const {
    const Selection& s = Selected();
    if (s.focus != kNone && IsSelected(s.focus)) return s.focus;
    return s.items.empty() ? kNone : s.items.front();
}

void CRvListCtrl::SetFocusSubItemMode(bool on) {
    view_.focusSubItemMode = on;
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::SetSingleSelect(bool on) {
    view_.singleSelect = on;
    InvalidateRect(window_, nullptr, FALSE);
}

} // namespace rvl
