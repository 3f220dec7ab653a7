// Adding and removing columns and items, with the view kept in step.
#include "rv_list_ctrl.h"

namespace rvl {

int CRvListCtrl::AddColumnExport(std::wstring_view title, int32_t width, int32_t image,
                                 int32_t fixed, uint32_t format, uint32_t flags) {
    AddColumn(title, width, image, fixed, format, flags, images_.iconWidth);
    ResetScrollBars(kBarBoth, -1, true);
    InvalidateRect(window_, nullptr, FALSE);
    return 1;
}

int CRvListCtrl::AddItemExport(std::wstring_view text, int32_t image, uint32_t format,
                               uint32_t flags) {
    const CellColours colours{palette_[Colour::ListBackground], palette_[Colour::ItemText],
                              palette_[Colour::CellBorder]};
    const int item = AddItem(text, image, format, flags, colours);
    if (item < 0) return -1;
    ResetScrollBars(kBarVertical, -1, false);
    InvalidateItem(item, kNone);
    return item;
}

int CRvListCtrl::DeleteItemExport(int32_t item) {
    if (item < 0 || item >= ItemCount()) return 0;
    AbandonEdit();
    if (!DeleteItem(item)) return 0;
    ResetScrollBars(kBarBoth, -1, true);
    return InvalidateRect(window_, nullptr, FALSE) ? 1 : 0;
}

void CRvListCtrl::DeleteAllItemsExport() {
    AbandonEdit();
    DeleteAllItems();
    ResetScrollBars(kBarBoth, -1, true);
    InvalidateRect(window_, nullptr, FALSE);
}

bool CRvListCtrl::SetValueMap(int32_t item, int32_t subItem, std::shared_ptr<const ValueMap> map) {
    SubItem* cell = Cell(item, subItem);
    if (!cell) return false;
    cell->valueMap = std::move(map);
    return true;
}

} // namespace rvl
