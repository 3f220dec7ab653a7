// Scroll ranges and scrolling by bar, wheel and ensure-visible.
#include "rv_list_ctrl.h"

#include <algorithm>

namespace rvl {
namespace {

constexpr int kLineScrollPixels = 5; // horizontal line step
constexpr int kWheelDelta = WHEEL_DELTA;

} // namespace

void CRvListCtrl::ResetScrollBars(int bar, int32_t position, bool recalculate) {
    if (bar != kBarHorizontal && bar != kBarVertical && bar != kBarBoth) return;
    // Showing or hiding a bar resizes the client area, and WM_SIZE comes back here.
    const bool nested = scroll_.resetting;
    scroll_.resetting = true;
    if (bar == kBarVertical || bar == kBarBoth) {
        if (position >= 0) scroll_.vertical = position;
        const int page = std::max(0, ClientHeight() - HeaderHeight());
        const long long full =
            (static_cast<long long>(ItemCount()) + 1) * metrics_.itemHeight + HeaderHeight();
        const int maximum =
            full > page + HeaderHeight() ? static_cast<int>(std::min<long long>(full, INT_MAX)) : 0;
        const int highest = std::max(0, maximum - page + 1);
        scroll_.vertical = std::clamp(scroll_.vertical, 0, maximum > 0 ? highest : 0);
        scroll_.verticalShown = view_.verticalAllowed && maximum > 0;
        if (view_.verticalAllowed) {
            SCROLLINFO info{sizeof info,
                            SIF_RANGE | SIF_PAGE | SIF_POS,
                            0,
                            maximum,
                            static_cast<UINT>(page),
                            scroll_.vertical,
                            0};
            SetScrollInfo(window_, SB_VERT, &info, TRUE);
        } else {
            ShowScrollBar(window_, SB_VERT, FALSE);
        }
    }
    if (bar == kBarHorizontal || bar == kBarBoth) {
        if (position >= 0) scroll_.horizontal = position;
        if (recalculate) metrics_.totalWidth = TotalWidth();
        const int page = ClientWidth();
        const int maximum = page < metrics_.totalWidth ? metrics_.totalWidth - 1 : 0;
        scroll_.horizontal =
            std::clamp(scroll_.horizontal, 0, maximum > 0 ? std::max(0, maximum - page + 1) : 0);
        scroll_.horizontalShown = view_.horizontalAllowed && maximum > page;
        if (view_.horizontalAllowed) {
            SCROLLINFO info{sizeof info,
                            SIF_RANGE | SIF_PAGE | SIF_POS,
                            0,
                            maximum,
                            static_cast<UINT>(page),
                            scroll_.horizontal,
                            0};
            SetScrollInfo(window_, SB_HORZ, &info, TRUE);
        } else {
            ShowScrollBar(window_, SB_HORZ, FALSE);
        }
    }
    scroll_.resetting = nested;
}

bool CRvListCtrl::IsScrollBarShown(int bar) const {
    switch (bar) {
    case kBarHorizontal:
        return scroll_.horizontalShown;
    case kBarVertical:
        return scroll_.verticalShown;
    case kBarBoth:
        return scroll_.horizontalShown && scroll_.verticalShown;
    default:
        return false;
    }
}

void CRvListCtrl::AllowScrollBar(int bar, bool on) {
    if (bar == kBarHorizontal || bar == kBarBoth) view_.horizontalAllowed = on;
    if (bar == kBarVertical || bar == kBarBoth) view_.verticalAllowed = on;
    ResetScrollBars(kBarBoth, -1, true);
}

void CRvListCtrl::OnVScroll(int code) {
    CloseEditor();
    HideTitleTip(false);
    const int old = scroll_.vertical;
    const int page = std::max(0, ClientHeight() - HeaderHeight());
    int next = old;
    bool animatable = false;
    switch (code) {
    case SB_LINEUP:
        next = std::max(0, old - metrics_.itemHeight);
        animatable = true;
        break;
    case SB_LINEDOWN:
        next = old + metrics_.itemHeight;
        animatable = true;
        break;
    case SB_PAGEUP:
        next = std::max(0, old - page);
        animatable = true;
        break;
    case SB_PAGEDOWN:
        next = old + page;
        animatable = true;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(window_, SB_VERT, &info);
        if (info.nTrackPos == old) return;
        next = info.nTrackPos;
        break;
    }
    case SB_TOP:
        next = 0;
        break;
    case SB_BOTTOM:
        next = ItemCount() * metrics_.itemHeight;
        break;
    case SB_ENDSCROLL:
        scroll_.animationStarted = false;
        return;
    default:
        return;
    }
    ScrollVerticallyTo(next, animatable && view_.smooth && !scroll_.animationStarted);
}

void CRvListCtrl::ScrollVerticallyTo(int position, bool animate) {
    const int oldTop = TopItem();
    ResetScrollBars(kBarVertical, std::max(0, position), false);
    const int newTop = TopItem();
    if (animate && newTop != oldTop) {
        scroll_.animationStarted = true;
        StartSmooth(oldTop, newTop);
        return;
    }
    StopSmooth();
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::OnHScroll(int code) {
    StopSmooth();
    CloseEditor();
    HideTitleTip(false);
    const int old = scroll_.horizontal;
    const int lastPixel = std::max(0, metrics_.totalWidth - 1);
    int next = old;
    switch (code) {
    case SB_LINELEFT:
        next = std::max(0, old - kLineScrollPixels);
        break;
    case SB_LINERIGHT:
        next = std::min(lastPixel, old + kLineScrollPixels);
        break;
    case SB_PAGELEFT:
        next = std::max(0, old - ClientWidth());
        break;
    case SB_PAGERIGHT:
        next = std::min(lastPixel, old + ClientWidth());
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(window_, SB_HORZ, &info);
        if (info.nTrackPos == old) return;
        next = info.nTrackPos;
        break;
    }
    case SB_LEFT:
        next = 0;
        break;
    case SB_RIGHT:
        next = ClientWidth();
        break;
    default:
        return;
    }
    ResetScrollBars(kBarHorizontal, next, false);
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::OnWheel(short delta) {
    HideTitleTip(false);
    CloseEditor();
    const int lines = delta * static_cast<int>(metrics_.wheelLines) / kWheelDelta;
    int next = scroll_.vertical - lines * metrics_.itemHeight;
    if (lines > 0) next = std::max(0, next);
    StopSmooth();
    ResetScrollBars(kBarVertical, std::max(0, next), false);
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::EnsureVisible(int32_t item, int32_t column) {
    if (item < 0 || item >= ItemCount()) return;
    if (IsItemVisible(item, column, false)) return;
    HideTitleTip(false);
    const int top = TopItem();
    const int rows = CountPerPage(false);
    if (item < top)
        ResetScrollBars(kBarVertical, item * metrics_.itemHeight, false);
    else if (item >= top + rows)
        ResetScrollBars(kBarVertical, (item - rows + 1) * metrics_.itemHeight, false);
    if (view_.focusSubItemMode && column != kNone) {
        if (ColumnAt(column)) {
            const int left = ColumnLeft(column);
            const int width = ClientWidth();
            int shift = 0;
            const int columnWidth = DrawnWidth(column);
            if (columnWidth > width || left < 0)
                shift = left;
            else if (left + columnWidth > width)
                shift = left + columnWidth - width;
            if (shift) ResetScrollBars(kBarHorizontal, scroll_.horizontal + shift, false);
        }
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::SetSmoothScroll(bool on) {
    view_.smooth = on;
    if (!on) StopSmooth();
}

} // namespace rvl
