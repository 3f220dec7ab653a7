// Painting the rows: background, selection, focus cell, then each cell.
#include "rv_list_ctrl.h"

#include "draw_helpers.h"

#include <algorithm>

namespace rvl {
namespace {

constexpr int kSelectionFrameInset = 2; // the inner frame of a themed selected row

} // namespace

void CRvListCtrl::Paint(HDC dc, const RECT& update) {
    PaintBuffered(dc, update);
}

bool CRvListCtrl::HasFocus() const {
    HWND focus = GetFocus();
    return focus && (focus == window_ || IsChild(window_, focus));
}

void CRvListCtrl::PaintContent(HDC dc, const RECT& update) {
    RECT clip = update;
    FillSolid(dc, clip, palette_[Colour::ListBackground]);
    SetBkMode(dc, TRANSPARENT);
    SelectGdi font(dc, fonts_.list.get());
    RECT client;
    GetClientRect(window_, &client);
    const int top = TopItem();
    const int rowRight = std::min<LONG>(client.right, metrics_.totalWidth - scroll_.horizontal);
    for (int item = top; item < ItemCount(); ++item) {
        const int y = HeaderHeight() + (item - top) * metrics_.itemHeight;
        if (y >= clip.bottom) break;
        const RECT row{client.left, y, rowRight, y + metrics_.itemHeight};
        if (row.bottom <= clip.top) continue;
        PaintRow(dc, item, row, clip);
    }
    if (pointer_.banding) PaintBand(dc);
    if (view_.headerShown) PaintHeader(dc);
}

void CRvListCtrl::PaintRow(HDC dc, int32_t item, const RECT& row, const RECT& clip) {
    const bool selected = IsSelected(item);
    const bool focused = HasFocus();
    if (selected) PaintRowBackground(dc, row, focused);
    const Selection& s = Selected();
    for (int position = 0; position < ColumnCount(); ++position) {
        const int left = ColumnLeft(position);
        const RECT cell{left, row.top, left + DrawnWidth(position), row.bottom};
        if (cell.right <= cell.left || !Intersects(cell, clip)) continue;
        if (view_.focusSubItemMode && item == s.focus && position == s.focusSubItem)
            PaintFocusCell(dc, cell, focused);
        PaintCell(dc, item, position, cell, selected);
    }
}

void CRvListCtrl::PaintRowBackground(HDC dc, const RECT& row, bool focused) {
    if (!Themed()) {
        FillSolid(dc, row, palette_[Colour::SelectionBackground]);
        return;
    }
    const Colour top = focused ? Colour::SelectionTop : Colour::InactiveTop;
    const Colour bottom = focused ? Colour::SelectionBottom : Colour::InactiveBottom;
    const Colour outer = focused ? Colour::SelectionFrameOuter : Colour::InactiveFrameOuter;
    const Colour inner = focused ? Colour::SelectionFrameInner : Colour::InactiveFrameInner;
    FillVerticalGradient(dc, row, palette_[top], palette_[bottom]);
    FrameSolid(dc, row, palette_[outer]);
    FrameSolid(dc, Deflated(row, kSelectionFrameInset, kSelectionFrameInset), palette_[inner]);
}

void CRvListCtrl::PaintFocusCell(HDC dc, const RECT& cell, bool focused) {
    if (view_.editing) {
        FillSolid(dc, cell, palette_[Colour::ListBackground]);
        FrameSolid(dc, cell, palette_[Colour::FocusCellBackground]);
        return;
    }
    if (Themed() && focused) {
        FillVerticalGradient(dc, cell, palette_[Colour::SelectionTop],
                             palette_[Colour::SelectionBottom]);
        FrameSolid(dc, cell, palette_[Colour::FocusCellOuter]);
        FrameSolid(dc, Deflated(cell, 1, 1), palette_[Colour::FocusCellInner]);
        return;
    }
    FillSolid(dc, cell, palette_[Colour::FocusCellBackground]);
}

void CRvListCtrl::PaintBand(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    RECT rows{client.left, HeaderHeight(), client.right, client.bottom};
    RECT band = pointer_.band;
    band.top -= scroll_.vertical;
    band.bottom -= scroll_.vertical;
    band.left -= scroll_.horizontal;
    band.right -= scroll_.horizontal;
    RECT r;
    if (!IntersectRect(&r, &band, &rows)) return;
    const int w = r.right - r.left, h = r.bottom - r.top;
    constexpr BYTE kBandAlpha = 180; // of the picture under the band
    const COLORREF fill =
        Themed() ? palette_[Colour::SelectionBackground] : palette_[Colour::FocusCellBackground];
    OwnedDc copy(CreateCompatibleDC(dc));
    OwnedBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
    if (copy && bitmap) {
        SelectGdi select(copy.get(), bitmap.get());
        BitBlt(copy.get(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
        FillSolid(dc, r, fill);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, kBandAlpha, 0};
        AlphaBlend(dc, r.left, r.top, w, h, copy.get(), 0, 0, w, h, blend);
    }
    FrameSolid(dc, r,
               Themed() ? palette_[Colour::SelectionBackground] : palette_[Colour::ItemText]);
}

} // namespace rvl
