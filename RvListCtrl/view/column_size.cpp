// Column widths: set by macros, fitted to the content, dragged by the user.
#include "rv_list_ctrl.h"

#include <algorithm>

namespace rvl {
namespace {

constexpr int kAutoSizePadding = 20; // beside the widest text of a column

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    if (!text.empty())
        GetTextExtentPoint32W(dc, text.c_str(),
                              static_cast<int>(std::min<size_t>(text.size(), INT_MAX)), &size);
    return size.cx;
}

} // namespace

int CRvListCtrl::SetColumnWidth(int32_t column, int32_t width) {
    Column* c = ColumnAt(column);
    if (!c) return 0;
    if (c->fixed) return 1;
    c->width = width;
    ResetScrollBars(kBarBoth, -1, true);
    InvalidateRect(window_, nullptr, FALSE);
    return 1;
}

int CRvListCtrl::AutoSizeColumn(int32_t column) {
    Column* c = ColumnAt(column);
    if (!c || c->fixed) return 0;
    HDC dc = GetDC(window_);
    if (!dc) return 0;
    int width;
    {
        SelectGdi font(dc, fonts_.list.get());
        width = TextWidth(dc, c->title) + kAutoSizePadding;
        for (int item = 0; item < ItemCount(); ++item) {
            const SubItem* s = Cell(item, c->index);
            if (!s) continue;
            int w = TextWidth(dc, s->text);
            if (s->image != kNone) w += images_.iconWidth;
            width = std::max(width, w + kAutoSizePadding);
        }
    }
    ReleaseDC(window_, dc);
    c->width = width;
    ResetScrollBars(kBarBoth, -1, true);
    InvalidateRect(window_, nullptr, FALSE);
    return 1;
}

int CRvListCtrl::ResizeStep(bool fromTimer) {
    if (!pointer_.resizing) return 1;
    Column* c = ColumnAt(pointer_.resizedColumn);
    if (!c || c->fixed) return 1;
    POINT mouse;
    GetCursorPos(&mouse);
    const int moved = static_cast<int>(mouse.x) - pointer_.lastScreenX;
    pointer_.lastScreenX = static_cast<int>(mouse.x);
    if (scroll_.horizontalShown && (fromTimer || moved < 0)) {
        // At the right end of a scrolled list the column shrinks under the
        // mouse; the timer keeps it shrinking while the mouse stays there.
        c->width = std::max(0, c->width + std::min(moved, 0));
        ResetScrollBars(kBarHorizontal, INT_MAX / 2, true);
        if (!fromTimer) SetTimer(window_, kResizeTimer, kResizePeriodMs, nullptr);
    } else {
        const long long wanted = static_cast<long long>(pointer_.pressWidth) +
                                 (static_cast<long long>(mouse.x) - pointer_.pressScreenX);
        c->width = static_cast<int>(std::clamp<long long>(wanted, 0, kMaxDrawnWidth));
        ResetScrollBars(kBarBoth, -1, true);
    }
    InvalidateRect(window_, nullptr, FALSE);
    return 1;
}

} // namespace rvl
