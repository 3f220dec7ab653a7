// Notifications to the parent window.
#include "rv_list_ctrl.h"

#include "RvListCtrl.h"

#include <cstddef>

namespace rvl {

static_assert(sizeof(RvListNotify) == 56, "the record macros read");
static_assert(offsetof(RvListNotify, item) == 24 && offsetof(RvListNotify, column) == 28 &&
                  offsetof(RvListNotify, key) == 32 && offsetof(RvListNotify, text) == 40 &&
                  offsetof(RvListNotify, date) == 48,
              "field offsets of the record");

LRESULT CRvListCtrl::NotifyParent(int32_t code, int32_t item, int32_t column) {
    HWND parent = GetParent(window_);
    if (!parent) return 0;
    RvListNotify record{};
    record.header.hwndFrom = window_;
    record.header.idFrom = static_cast<UINT_PTR>(static_cast<INT_PTR>(GetDlgCtrlID(window_)));
    record.header.code = static_cast<UINT>(code);
    record.item = item;
    const Column* c = ColumnAt(column);
    record.column = c ? c->index : kNone;
    return SendMessageW(parent, WM_NOTIFY, record.header.idFrom, reinterpret_cast<LPARAM>(&record));
}

} // namespace rvl
