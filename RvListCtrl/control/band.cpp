// Rubber-band selection: dragging over the rows selects every row the band
// touches; timer 1003 scrolls toward a mouse outside the rows meanwhile.
#include "rv_list_ctrl.h"

#include "clock.h"

#include <algorithm>

namespace rvl {
namespace {

constexpr DWORD kBandScrollPaceMs = 10; // at most one scroll step this often

} // namespace

void CRvListCtrl::UpdateBand(POINT p) {
    pointer_.lastMouse = p;
    const POINT at{p.x + scroll_.horizontal, p.y + scroll_.vertical};
    const POINT from = pointer_.pressScrolled;
    pointer_.band = RECT{std::min(from.x, at.x), std::min(from.y, at.y), std::max(from.x, at.x),
                         std::max(from.y, at.y)};
    Selection& s = Selected();
    s.items.clear();
    s.anchor = s.focus = kNone;
    s.focusSubItem = kNone;
    const RECT& band = pointer_.band;
    if (band.left < metrics_.totalWidth && ItemCount() > 0) {
        // Rows in scrolled coordinates start below the header.
        const auto rowAt = [this](LONG y) {
            const long long row =
                (static_cast<long long>(y) - HeaderHeight()) / metrics_.itemHeight;
            return static_cast<int32_t>(std::clamp<long long>(row, 0, ItemCount() - 1));
        };
        const bool below =
            band.top - HeaderHeight() >= static_cast<long long>(ItemCount()) * metrics_.itemHeight;
        if (!below && band.bottom >= HeaderHeight()) {
            const int32_t first = rowAt(band.top), last = rowAt(band.bottom);
            for (int32_t row = first; row <= last; ++row)
                AddToSelection(row);
            s.anchor = first;
            s.focus = last;
        }
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CRvListCtrl::BandTick() {
    if (!pointer_.banding) {
        KillTimer(window_, kBandTimer);
        return;
    }
    const POINT p = pointer_.lastMouse; // the band follows the mouse messages, not the cursor
    const DWORD now = Ticks();
    const int rowsBottom = ClientHeight();
    if ((p.y < HeaderHeight() || p.y >= rowsBottom) &&
        now - pointer_.lastBandScroll >= kBandScrollPaceMs) {
        pointer_.lastBandScroll = now;
        const int step = p.y < HeaderHeight() ? -metrics_.itemHeight : metrics_.itemHeight;
        ResetScrollBars(kBarVertical, std::max(0, scroll_.vertical + step), false);
    }
    UpdateBand(p);
}

void CRvListCtrl::EndBand() {
    pointer_.banding = false;
    KillTimer(window_, kBandTimer);
    InvalidateRect(window_, nullptr, FALSE);
}

} // namespace rvl
