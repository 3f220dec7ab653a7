// Where rows and columns are on the client area.
#include "rv_list_ctrl.h"

#include <algorithm>

namespace rvl {

int CRvListCtrl::ClientWidth() const {
    RECT r;
    GetClientRect(window_, &r);
    return r.right - r.left;
}

int CRvListCtrl::ClientHeight() const {
    RECT r;
    GetClientRect(window_, &r);
    return r.bottom - r.top;
}

int CRvListCtrl::DrawnWidth(int32_t position) const {
    const Column* c = ColumnAt(position);
    return c ? std::clamp(c->width, 0, kMaxDrawnWidth) : 0;
}

int CRvListCtrl::ColumnLeft(int32_t position) const {
    long long left = -scroll_.horizontal;
    for (int i = 0; i < position && i < ColumnCount(); ++i)
        left = std::min(left + DrawnWidth(i), kMaxOffset);
    return static_cast<int>(left);
}

int CRvListCtrl::CountPerPage(bool partial) const {
    const int rowsArea = ClientHeight() - HeaderHeight();
    int rows = rowsArea > 0 ? rowsArea / metrics_.itemHeight : 0;
    if (partial && rowsArea > 0 && rowsArea % metrics_.itemHeight) ++rows;
    return std::max(rows, 1);
}

int CRvListCtrl::TotalHeight() const {
    const long long height =
        static_cast<long long>(ItemCount()) * metrics_.itemHeight + HeaderHeight();
    return static_cast<int>(std::clamp<long long>(height, 1, INT_MAX));
}

int CRvListCtrl::TotalWidth() const {
    long long width = 0;
    for (int i = 0; i < ColumnCount(); ++i)
        width = std::min(width + DrawnWidth(i), kMaxOffset);
    return static_cast<int>(width);
}

bool CRvListCtrl::ColumnRect(int32_t column, RECT* rect) const {
    const Column* c = ColumnAt(column);
    if (!c) return false;
    RECT client;
    GetClientRect(window_, &client);
    rect->left = ColumnLeft(column);
    rect->right = rect->left + DrawnWidth(column);
    rect->top = client.top;
    rect->bottom = metrics_.headerHeight;
    return true;
}

bool CRvListCtrl::ItemRect(int32_t item, int32_t column, RECT* rect) const {
    if (item < 0 || item >= ItemCount()) return false;
    const int top = TopItem();
    if (item < top || item >= top + CountPerPage(true)) return false;
    RECT client;
    GetClientRect(window_, &client);
    rect->top = (item - top) * metrics_.itemHeight + HeaderHeight();
    rect->bottom = rect->top + metrics_.itemHeight;
    rect->left = client.left;
    rect->right = std::min<LONG>(client.right, metrics_.totalWidth - 1);
    if (column != kNone) {
        const Column* c = ColumnAt(column);
        if (!c) return false;
        rect->left = ColumnLeft(column);
        rect->right = rect->left + DrawnWidth(column);
    }
    return true;
}

bool CRvListCtrl::IsItemVisible(int32_t item, int32_t column, bool partial) const {
    if (item < 0 || item >= ItemCount()) return false;
    const int top = TopItem();
    if (item < top || item >= top + CountPerPage(partial)) return false;
    if (view_.focusSubItemMode && column != kNone) {
        const Column* c = ColumnAt(column);
        if (!c) return false;
        const int left = ColumnLeft(column);
        if (left < 0 || left + DrawnWidth(column) > ClientWidth()) return false;
    }
    return true;
}

int CRvListCtrl::InvalidateItem(int32_t item, int32_t column) {
    RECT r;
    if (!ItemRect(item, column, &r)) return 0;
    return InvalidateRect(window_, &r, FALSE) ? 1 : 0;
}

int CRvListCtrl::InvalidateHeader() {
    if (!view_.headerShown) return 1;
    RECT r;
    GetClientRect(window_, &r);
    r.bottom = metrics_.headerHeight;
    return InvalidateRect(window_, &r, FALSE) ? 1 : 0;
}

void CRvListCtrl::CellChanged(int32_t item, int32_t subItem) {
    const int position = PositionOfIndex(subItem);
    if (position >= 0) InvalidateItem(item, position);
}

} // namespace rvl
