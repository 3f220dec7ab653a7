// Exports of the item table and of plain cell attributes.
#include "cell_text.h"
#include "export_call.h"

using namespace rvl;

RVLISTCTRL_API int RvListCtrl_AddItem(RvList list, const wchar_t* text, int32_t image,
                                      uint32_t format, uint32_t flags) {
    return WithList(list, [&](CRvListCtrl& l) {
        return l.AddItemExport(TextArgument(text), image, format, flags);
    });
}

RVLISTCTRL_API int RvListCtrl_DeleteItem(RvList list, int32_t item) {
    return WithList(list, [&](CRvListCtrl& l) { return l.DeleteItemExport(item); });
}

RVLISTCTRL_API int RvListCtrl_DeleteAllItems(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.DeleteAllItemsExport();
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemCount(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) { return l.ItemCount(); });
}

RVLISTCTRL_API int RvListCtrl_SetItemText(RvList list, int32_t item, int32_t subItem,
                                          const wchar_t* text) {
    return WithList(list, [&](CRvListCtrl& l) {
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        cell->text = TextArgument(text);
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemText(RvList list, int32_t item, int32_t subItem,
                                          wchar_t* buffer, int32_t size) {
    return WithList(list, [&](CRvListCtrl& l) {
        const SubItem* cell = l.Cell(item, subItem);
        return CopyOut(buffer, size, cell ? std::wstring_view(cell->text) : std::wstring_view());
    });
}

RVLISTCTRL_API int RvListCtrl_SetItemFormat(RvList list, int32_t item, int32_t subItem,
                                            uint32_t format, uint32_t flags) {
    return WithList(list, [&](CRvListCtrl& l) {
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        cell->format = format;
        cell->flags = flags;
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemFormat(RvList list, int32_t item, int32_t subItem) {
    return WithList(
        list, [&](CRvListCtrl& l) { return static_cast<int>(l.EffectiveFormat(item, subItem)); });
}

RVLISTCTRL_API int RvListCtrl_GetItemFlags(RvList list, int32_t item, int32_t subItem) {
    return WithList(
        list, [&](CRvListCtrl& l) { return static_cast<int>(l.EffectiveFlags(item, subItem)); });
}

RVLISTCTRL_API int RvListCtrl_SetItemImage(RvList list, int32_t item, int32_t subItem,
                                           int32_t image) {
    return WithList(list, [&](CRvListCtrl& l) {
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        cell->image = image;
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemImage(RvList list, int32_t item, int32_t subItem) {
    return WithList(list, [&](CRvListCtrl& l) {
        const SubItem* cell = l.Cell(item, subItem);
        return cell ? cell->image : kNone;
    });
}

RVLISTCTRL_API int RvListCtrl_SetItemColours(RvList list, int32_t item, int32_t subItem,
                                             uint32_t background, uint32_t text, uint32_t border) {
    return WithList(list, [&](CRvListCtrl& l) {
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        cell->background = background;
        cell->textColour = text;
        cell->border = border;
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemColours(RvList list, int32_t item, int32_t subItem,
                                             uint32_t* background, uint32_t* text,
                                             uint32_t* border) {
    return WithList(list, [&](CRvListCtrl& l) {
        const SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        PutValue<uint32_t>(background, cell->background);
        PutValue<uint32_t>(text, cell->textColour);
        PutValue<uint32_t>(border, cell->border);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemToolTip(RvList list, int32_t item, int32_t, wchar_t* buffer,
                                             int32_t size) {
    return WithList(list, [&](CRvListCtrl& l) {
        const bool exists = item >= 0 && item < l.ItemCount();
        return CopyOut(buffer, size,
                       exists ? std::wstring_view(l.ToolTipOf(item)) : std::wstring_view());
    });
}
