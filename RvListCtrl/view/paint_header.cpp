// Painting the header strip, themed or with plain 3-D edges.
#include "rv_list_ctrl.h"

#include "draw_helpers.h"

#include <vssym32.h>

namespace rvl {
namespace {

constexpr int kTitleOffsetFirst = 4; // title start in column 0
constexpr int kTitleOffset = 3;      // and in the others
constexpr int kSortArrowRoom = 15;   // the sort column's title gives up this much
constexpr int kSortArrowGap = 4;     // arrow image right of the title area
constexpr int kGripInset = 4;        // the divider lines stop this far from top and bottom
constexpr int kImageAscending = 1, kImageDescending = 0;

} // namespace

void CRvListCtrl::PaintHeader(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    const RECT strip{client.left, 0, client.right, metrics_.headerHeight};
    if (Themed()) {
        const int end = ColumnLeft(ColumnCount());
        if (end < strip.right) {
            const RECT rest{end, 0, strip.right, strip.bottom};
            DrawThemeBackground(themes_.header, dc, HP_HEADERITEM, HIS_NORMAL, &rest, nullptr);
        }
    } else {
        FillSolid(dc, strip, palette_[Colour::HeaderBackground]);
    }
    for (int position = 0; position < ColumnCount(); ++position) {
        const int left = ColumnLeft(position);
        const RECT cell{left, 0, left + DrawnWidth(position), metrics_.headerHeight};
        if (cell.right <= strip.left || cell.left >= strip.right || cell.right <= cell.left)
            continue;
        PaintHeaderColumn(dc, position, cell);
    }
}

void CRvListCtrl::PaintHeaderColumn(HDC dc, int32_t position, const RECT& cell) {
    const Column& column = Columns()[static_cast<size_t>(position)];
    const bool pressed = position == pointer_.pressedColumn;
    if (Themed()) {
        const int state = pressed                          ? HIS_PRESSED
                          : position == pointer_.hotColumn ? HIS_HOT
                                                           : HIS_NORMAL;
        DrawThemeBackground(themes_.header, dc, HP_HEADERITEM, state, &cell, nullptr);
    } else {
        if (pressed) FillSolid(dc, cell, palette_[Colour::HeaderPressed]);
        const COLORREF light = palette_[Colour::HeaderHighlight];
        const COLORREF dark = palette_[Colour::HeaderShadow];
        Line(dc, cell.left, cell.top, cell.right, cell.top, light);
        Line(dc, cell.left, cell.top, cell.left, cell.bottom, light);
        Line(dc, cell.left, cell.bottom - 1, cell.right, cell.bottom - 1, dark);
        Line(dc, cell.right - 1, cell.top, cell.right - 1, cell.bottom, dark);
        Line(dc, cell.right - 2, cell.top + kGripInset, cell.right - 2, cell.bottom - kGripInset,
             dark);
        Line(dc, cell.right - 3, cell.top + kGripInset, cell.right - 3, cell.bottom - kGripInset,
             light);
    }
    RECT title = cell;
    title.left += position == 0 ? kTitleOffsetFirst : kTitleOffset;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
    int cx = 16, cy = 16;
    if (images_.list) ImageList_GetIconSize(images_.list, &cx, &cy);
    if (column.image != kNone && images_.list) {
        ImageList_Draw(images_.list, column.image, dc, title.left,
                       (cell.top + cell.bottom - cy) / 2, ILD_TRANSPARENT);
        title.left += cx;
    }
    const bool arrow = view_.sortArrows && view_.sortColumn == column.index;
    if (arrow) title.right -= kSortArrowRoom;
    if (!column.title.empty()) {
        SelectGdi f(dc, fonts_.list.get());
        SetTextColor(dc, palette_[Colour::HeaderText]);
        SetBkMode(dc, TRANSPARENT);
        RECT text = title;
        DrawTextW(dc, column.title.c_str(), static_cast<int>(column.title.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (arrow && images_.list)
        ImageList_Draw(images_.list, view_.ascending ? kImageAscending : kImageDescending, dc,
                       title.right + kSortArrowGap, (cell.top + cell.bottom - cy) / 2,
                       ILD_TRANSPARENT);
    RestoreDC(dc, saved);
}

} // namespace rvl
