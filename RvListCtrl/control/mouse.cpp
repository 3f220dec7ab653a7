// The mouse over the list: presses on the header and the rows, moving,
// releasing, double clicks, the right button and leaving.
#include "rv_list_ctrl.h"

#include "RvListCtrl.h"
#include "cell_text.h"

#include <cstdlib>

namespace rvl {
namespace {

constexpr int kHeaderDragDistance = 4; // pixels before a pressed column is dragged
constexpr int kBandDistance = 3;       // pixels before a press on the rows draws a band
constexpr WPARAM kKeyModifiers = MK_SHIFT | MK_CONTROL;

bool MovedBeyond(POINT from, POINT to, int distance) {
    return std::abs(to.x - from.x) > distance || std::abs(to.y - from.y) > distance;
}

} // namespace

void CRvListCtrl::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND toolTip = tips_.title.ToolTip();
    if (!toolTip) return;
    MSG msg{window_, message, wParam, lParam, 0, {}};
    SendMessageW(toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CRvListCtrl::OnLeftDown(WPARAM keys, POINT p) {
    HideTitleTip(false);
    pointer_.press = p;
    pointer_.pressScrolled = POINT{p.x + scroll_.horizontal, p.y + scroll_.vertical};
    pointer_.pressOnRows = false;
    StopSmooth();
    SetFocus(window_);
    SetCapture(window_);
    pointer_.buttonDown = true;

    int32_t column = kNone;
    uint32_t where = 0;
    if (HitTestHeader(p, &column, &where)) {
        const Column* c = ColumnAt(column);
        if (where == 0 || (c && c->fixed)) {
            pointer_.pressedColumn = column;
            InvalidateHeader();
        } else if (c) {
            pointer_.resizing = true;
            pointer_.resizedColumn = column;
            pointer_.pressWidth = c->width;
            POINT screen = p;
            ClientToScreen(window_, &screen);
            pointer_.pressScreenX = pointer_.lastScreenX = static_cast<int>(screen.x);
            if (images_.divider) SetCursor(images_.divider);
        }
        return;
    }
    if (p.y < HeaderHeight()) return;
    pointer_.pressOnRows = true;
    int32_t item = kNone;
    if (!HitTestRow(p, &item, &column)) {
        Selected().anchor = kNone; // below the rows: a band may start
        return;
    }
    if (keys & kKeyModifiers) {
        SelectItem(item, column, static_cast<uint32_t>(keys & kKeyModifiers));
        return;
    }
    // A press on one of several selected rows decides on release, so that
    // the selection can still be dragged as a whole.
    if (!(IsSelected(item) && SelectedCount() > 1)) SelectItem(item, column, 0);
    // The parent, told of the selection, may have changed the table meanwhile.
    const Column* c = ColumnAt(column);
    if (!c || item >= ItemCount()) return;
    const int32_t index = c->index;
    if (EffectiveFlags(item, index) & FlagReadOnly) return;
    if (ToggleCheck(item, column)) return;
    if (EffectiveFormat(item, index) == FormatLink) {
        if (images_.hand) SetCursor(images_.hand);
        NotifyParent(ListLinkClicked, item, column);
    }
}

void CRvListCtrl::OnMouseMove(WPARAM keys, POINT p) {
    if (!(keys & MK_LBUTTON) || !pointer_.buttonDown) {
        if (pointer_.buttonDown && GetCapture() == window_) ReleaseCapture();
        pointer_.buttonDown = false;
        OnHover(p);
        return;
    }
    if (pointer_.resizing) {
        ResizeStep(false);
        return;
    }
    if (pointer_.pressedColumn != kNone) {
        if (MovedBeyond(pointer_.press, p, kHeaderDragDistance)) {
            const int32_t column = pointer_.pressedColumn;
            pointer_.pressedColumn = kNone;
            pointer_.buttonDown = false;
            if (GetCapture() == window_) ReleaseCapture();
            BeginHeaderDrag(column);
            InvalidateHeader();
        }
        return;
    }
    if (!pointer_.pressOnRows) return;
    if (!pointer_.banding) {
        if (view_.singleSelect || view_.editing || !MovedBeyond(pointer_.press, p, kBandDistance))
            return;
        pointer_.banding = true;
        pointer_.lastBandScroll = 0;
        SetTimer(window_, kBandTimer, kBandPeriodMs, nullptr);
    }
    UpdateBand(p);
}

void CRvListCtrl::OnHover(POINT p) {
    if (!pointer_.tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        pointer_.tracking = TrackMouseEvent(&track) != 0;
    }
    int32_t column = kNone;
    uint32_t where = 0;
    if (p.y < HeaderHeight()) {
        SetHotCell(kNone, kNone);
        const bool hit = HitTestHeader(p, &column, &where);
        const int32_t hot = hit && where == 0 && Themed() ? column : kNone;
        if (hot != pointer_.hotColumn) {
            pointer_.hotColumn = hot;
            InvalidateHeader();
        }
        const Column* c = hit && where != 0 ? ColumnAt(column) : nullptr;
        if (c && !c->fixed) {
            if (images_.divider) SetCursor(images_.divider);
            HideTitleTip(false);
        }
        return;
    }
    if (pointer_.hotColumn != kNone) {
        pointer_.hotColumn = kNone;
        InvalidateHeader();
    }
    int32_t item = kNone;
    if (!HitTestRow(p, &item, &column)) {
        SetHotCell(kNone, kNone);
        tips_.title.SetItemToolTip(std::wstring());
        HideTitleTip(true);
        return;
    }
    SetHotCell(item, column);
    if (column != kNone) {
        const int32_t index = Columns()[static_cast<size_t>(column)].index;
        if (EffectiveFormat(item, index) == FormatLink &&
            !(EffectiveFlags(item, index) & FlagReadOnly) && images_.hand)
            SetCursor(images_.hand);
    }
    tips_.title.SetItemToolTip(ToolTipOf(item));
    ShowTitleTip(p, item, column);
}

void CRvListCtrl::SetHotCell(int32_t item, int32_t column) {
    if (item == pointer_.hotItem && column == pointer_.hotSubItem) return;
    const auto isLink = [this](int32_t i, int32_t c) {
        const Column* col = ColumnAt(c);
        return i >= 0 && i < ItemCount() && col && EffectiveFormat(i, col->index) == FormatLink;
    };
    if (isLink(pointer_.hotItem, pointer_.hotSubItem))
        InvalidateItem(pointer_.hotItem, pointer_.hotSubItem);
    pointer_.hotItem = item;
    pointer_.hotSubItem = column;
    if (isLink(item, column)) InvalidateItem(item, column);
}

void CRvListCtrl::OnLeftUp(WPARAM keys, POINT p) {
    if (GetCapture() == window_) ReleaseCapture();
    pointer_.buttonDown = false;
    if (pointer_.resizing) {
        pointer_.resizing = false;
        KillTimer(window_, kResizeTimer);
        InvalidateHeader();
    }
    if (pointer_.pressedColumn != kNone) {
        const int32_t column = pointer_.pressedColumn;
        pointer_.pressedColumn = kNone;
        SortColumn(column);
        InvalidateHeader();
    }
    if (pointer_.banding) {
        EndBand();
        return;
    }
    if (p.y < HeaderHeight()) return;
    int32_t item = kNone, column = kNone;
    if (HitTestRow(p, &item, &column)) {
        if (IsSelected(item) && SelectedCount() > 1 && !(keys & kKeyModifiers))
            SelectItem(item, column, 0);
    } else {
        item = column = kNone;
    }
    NotifyParent(ListLeftClick, item, column);
}

void CRvListCtrl::OnLeftDoubleClick(WPARAM keys, POINT p) {
    HideTitleTip(false);
    SendMessageW(window_, WM_LBUTTONDOWN, keys, MAKELPARAM(p.x, p.y));
    int32_t item = kNone, column = kNone;
    uint32_t where = 0;
    if (HitTestHeader(p, &column, &where)) {
        if (where & RVLIST_HIT_DIVIDER) {
            pointer_.resizing = false; // the press started one; the size is the content's
            AutoSizeColumn(column);
        }
        item = column = kNone;
    } else if (!HitTestRow(p, &item, &column)) {
        item = column = kNone;
    }
    NotifyParent(ListDoubleClick, item, column);
}

void CRvListCtrl::OnRightDown(WPARAM keys, POINT p) {
    StopSmooth();
    SetFocus(window_);
    HideTitleTip(false);
    int32_t item = kNone, column = kNone;
    if (HitTestRow(p, &item, &column) && !IsSelected(item))
        SelectItem(item, column, static_cast<uint32_t>(keys & kKeyModifiers));
}

void CRvListCtrl::OnRightUp(WPARAM, POINT p) {
    int32_t item = kNone, column = kNone;
    if (!HitTestRow(p, &item, &column)) {
        item = column = kNone;
        ClearSelection();
        InvalidateRect(window_, nullptr, FALSE);
    }
    NotifyParent(ListRightClick, item, column);
}

void CRvListCtrl::OnMouseLeave() {
    pointer_.tracking = false;
    if (pointer_.hotColumn != kNone) {
        pointer_.hotColumn = kNone;
        InvalidateHeader();
    }
    SetHotCell(kNone, kNone);
}

bool CRvListCtrl::ToggleCheck(int32_t item, int32_t column) {
    const Column* c = ColumnAt(column);
    if (!c) return false;
    SubItem* cell = Cell(item, c->index);
    const uint32_t format = EffectiveFormat(item, c->index);
    if (!cell || (format != FormatCheck && format != FormatCheck3)) return false;
    if (EffectiveFlags(item, c->index) & FlagReadOnly) return true;
    const int state = ReadInteger(cell->text);
    if (format == FormatCheck)
        cell->text = state == 1 ? L"0" : L"1";
    else
        cell->text = state == 0 ? L"1" : state == 1 ? L"-1" : L"0";
    NotifyParent(ListModified, item, column);
    InvalidateItem(item, kNone);
    return true;
}

} // namespace rvl
