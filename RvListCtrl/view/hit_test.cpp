// Which row, column or header divider lies under a client point.
#include "rv_list_ctrl.h"

#include "RvListCtrl.h"

namespace rvl {
namespace {

// How far left and right of a column's right edge a press takes the divider.
constexpr int kDividerSlackLeft = 5;
constexpr int kDividerSlackRight = 4;

} // namespace

bool CRvListCtrl::HitTestRow(POINT p, int32_t* item, int32_t* column) const {
    if (p.y < HeaderHeight()) return false;
    const int row = (p.y - HeaderHeight()) / metrics_.itemHeight + TopItem();
    if (row < 0 || row >= ItemCount()) return false;
    *item = row;
    *column = kNone;
    for (int i = 0; i < ColumnCount(); ++i) {
        const int left = ColumnLeft(i), right = left + DrawnWidth(i);
        if (p.x > left && p.x < right) {
            *column = i;
            break;
        }
    }
    return true;
}

bool CRvListCtrl::HitTestHeader(POINT p, int32_t* column, uint32_t* where) const {
    if (!view_.headerShown || p.y < 0 || p.y > metrics_.headerHeight) return false;
    const int count = ColumnCount();
    for (int i = 0; i < count; ++i) {
        const int left = ColumnLeft(i), right = left + DrawnWidth(i);
        if (p.x >= right - kDividerSlackLeft && p.x <= right + kDividerSlackRight) {
            *where = RVLIST_HIT_DIVIDER;
            *column = i;
            if (p.x >= right && i + 2 < count) {
                // Right of the edge: the divider of the last zero-width column
                // that directly follows, so hidden columns can be pulled open.
                int hidden = i;
                while (hidden + 1 < count && DrawnWidth(hidden + 1) == 0)
                    ++hidden;
                *column = hidden;
                *where |= RVLIST_HIT_DIVIDER_HIDDEN;
            } else {
                *where |= RVLIST_HIT_DIVIDER_LEFT;
            }
            return true;
        }
        if (p.x > left && p.x < right) {
            *column = i;
            *where = 0;
            return true;
        }
    }
    return false;
}

} // namespace rvl
