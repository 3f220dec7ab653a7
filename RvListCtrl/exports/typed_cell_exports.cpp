// Exports of typed cells: combo lists, check boxes, progress and dates.
#include "cell_text.h"
#include "export_call.h"

using namespace rvl;

RVLISTCTRL_API int RvListCtrl_SetItemComboList(RvList list, int32_t item, int32_t subItem,
                                               const wchar_t* entries) {
    return WithList(list, [&](CRvListCtrl& l) {
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        // The cell keeps what it showed so far, even once the column changes.
        const uint32_t format = l.EffectiveFormat(item, subItem);
        const uint32_t flags = l.EffectiveFlags(item, subItem);
        cell->comboList = SplitComboList(TextArgument(entries));
        cell->format = format;
        cell->flags = flags;
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemComboList(RvList list, int32_t item, int32_t subItem,
                                               wchar_t* buffer, int32_t size) {
    return WithList(list, [&](CRvListCtrl& l) {
        const auto* entries = l.EffectiveComboList(item, subItem);
        if (!entries) {
            CopyOut(buffer, size, L"");
            return 0;
        }
        if (CopyOut(buffer, size, JoinComboList(*entries)) < 0) return kInvalid;
        return static_cast<int>(entries->size());
    });
}

RVLISTCTRL_API int RvListCtrl_SetItemComboIndex(RvList list, int32_t item, int32_t subItem,
                                                int32_t entry) {
    return WithList(list, [&](CRvListCtrl& l) {
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        const auto* entries = l.EffectiveComboList(item, subItem);
        const bool inList = entries && entry >= 0 && static_cast<size_t>(entry) < entries->size();
        cell->text = inList ? (*entries)[static_cast<size_t>(entry)] : std::wstring();
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SetItemCheck(RvList list, int32_t item, int32_t subItem,
                                           int32_t state) {
    return WithList(list, [&](CRvListCtrl& l) {
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        switch (l.EffectiveFormat(item, subItem)) {
        case FormatCheck:
            cell->text = state < 1 ? L"0" : L"1";
            break;
        case FormatCheck3:
            cell->text = state < 0 ? L"-1" : state == 0 ? L"0" : L"1";
            break;
        default:
            return 0;
        }
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemCheck(RvList list, int32_t item, int32_t subItem) {
    return WithList(list, [&](CRvListCtrl& l) {
        const SubItem* cell = l.Cell(item, subItem);
        return cell ? ReadInteger(cell->text) : 0;
    });
}

RVLISTCTRL_API int RvListCtrl_SetItemProgress(RvList list, int32_t item, int32_t subItem,
                                              double percent) {
    return WithList(list, [&](CRvListCtrl& l) {
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        cell->text = ProgressText(percent);
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SetItemDate(RvList list, int32_t item, int32_t subItem,
                                          const SYSTEMTIME* date) {
    return WithList(list, [&](CRvListCtrl& l) {
        if (!Readable(date, sizeof *date)) return kInvalid;
        SubItem* cell = l.Cell(item, subItem);
        if (!cell) return 0;
        cell->text = DateText(*date);
        l.CellChanged(item, subItem);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetItemDate(RvList list, int32_t item, int32_t subItem,
                                          SYSTEMTIME* date) {
    return WithList(list, [&](CRvListCtrl& l) {
        if (!Writable(date, sizeof *date)) return kInvalid;
        const SubItem* cell = l.Cell(item, subItem);
        SYSTEMTIME read{};
        const bool found = cell && ReadDateText(cell->text, &read);
        *date = read;
        return found ? 1 : 0;
    });
}

RVLISTCTRL_API int RvListCtrl_FormatDate(RvList list, const SYSTEMTIME* date, wchar_t* buffer,
                                         int32_t size) {
    return WithList(list, [&](CRvListCtrl&) {
        if (!Readable(date, sizeof *date)) return kInvalid;
        return CopyOut(buffer, size, LocaleDate(*date));
    });
}

RVLISTCTRL_API int RvListCtrl_FormatTime(RvList list, const SYSTEMTIME* date, wchar_t* buffer,
                                         int32_t size) {
    return WithList(list, [&](CRvListCtrl&) {
        if (!Readable(date, sizeof *date)) return kInvalid;
        return CopyOut(buffer, size, LocaleTime(*date));
    });
}
