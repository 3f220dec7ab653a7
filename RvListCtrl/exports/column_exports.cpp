// Exports of the column table.
#include "cell_text.h"
#include "export_call.h"
#include "flags.h"

using namespace rvl;

RVLISTCTRL_API int RvListCtrl_IsRvListCtrl(RvList list) {
    return rv::Guarded(0, [&] { return FindList(list) ? 1 : 0; });
}

RVLISTCTRL_API int RvListCtrl_AddColumn(RvList list, const wchar_t* title, int32_t width,
                                        int32_t image, int32_t fixed, uint32_t format,
                                        uint32_t flags) {
    return WithList(list, [&](CRvListCtrl& l) {
        return l.AddColumnExport(TextArgument(title), width, image, fixed, format, flags);
    });
}

RVLISTCTRL_API int RvListCtrl_DeleteColumn(RvList list, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) {
        if (!l.ColumnAt(column)) return 0;
        l.AbandonEdit();
        if (!l.DeleteColumn(column)) return 0;
        l.ResetScrollBars(kBarBoth, -1, true);
        InvalidateRect(l.Window(), nullptr, FALSE);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_DeleteAllColumns(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.AbandonEdit();
        l.DeleteAllColumns();
        l.ResetScrollBars(kBarBoth, -1, true);
        InvalidateRect(l.Window(), nullptr, FALSE);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetColumnCount(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) { return l.ColumnCount(); });
}

RVLISTCTRL_API int RvListCtrl_SetColumnText(RvList list, int32_t column, const wchar_t* text) {
    return WithList(list, [&](CRvListCtrl& l) {
        Column* c = l.ColumnAt(column);
        if (!c) return 0;
        c->title = TextArgument(text);
        l.InvalidateHeader();
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SetColumnWidth(RvList list, int32_t column, int32_t width) {
    return WithList(list, [&](CRvListCtrl& l) { return l.SetColumnWidth(column, width); });
}

RVLISTCTRL_API int RvListCtrl_GetColumnWidth(RvList list, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) {
        const Column* c = l.ColumnAt(column);
        return c ? c->width : 0;
    });
}

RVLISTCTRL_API int RvListCtrl_SetColumnFormat(RvList list, int32_t column, uint32_t format,
                                              uint32_t flags) {
    return WithList(list, [&](CRvListCtrl& l) {
        Column* c = l.ColumnAt(column);
        if (!c) return 0;
        c->format = format;
        c->flags = NormaliseFlags(flags);
        InvalidateRect(l.Window(), nullptr, FALSE);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetColumnFormat(RvList list, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) {
        const Column* c = l.ColumnAt(column);
        return c ? static_cast<int>(c->format) : 0;
    });
}

RVLISTCTRL_API int RvListCtrl_GetColumnFlags(RvList list, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) {
        const Column* c = l.ColumnAt(column);
        return c ? static_cast<int>(c->flags) : 0;
    });
}

RVLISTCTRL_API int RvListCtrl_GetColumnIndex(RvList list, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) {
        const Column* c = l.ColumnAt(column);
        return c ? c->index : 0;
    });
}

RVLISTCTRL_API int RvListCtrl_SetColumnComboList(RvList list, int32_t column, uint32_t format,
                                                 uint32_t flags, const wchar_t* entries) {
    return WithList(list, [&](CRvListCtrl& l) {
        Column* c = l.ColumnAt(column);
        if (!c) return 0;
        c->format = format;
        c->flags = NormaliseFlags(flags);
        c->comboList = SplitComboList(TextArgument(entries));
        InvalidateRect(l.Window(), nullptr, FALSE);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetColumnComboList(RvList list, int32_t column, wchar_t* buffer,
                                                 int32_t size) {
    return WithList(list, [&](CRvListCtrl& l) {
        const Column* c = l.ColumnAt(column);
        if (!c) {
            CopyOut(buffer, size, L"");
            return 0;
        }
        if (CopyOut(buffer, size, JoinComboList(c->comboList)) < 0) return kInvalid;
        return static_cast<int>(c->comboList.size());
    });
}

RVLISTCTRL_API int RvListCtrl_GetColumnRect(RvList list, int32_t column, int32_t* left,
                                            int32_t* top, int32_t* right, int32_t* bottom) {
    return WithList(list, [&](CRvListCtrl& l) {
        RECT r;
        if (!l.ColumnRect(column, &r)) return 0;
        PutValue<int32_t>(left, r.left);
        PutValue<int32_t>(top, r.top);
        PutValue<int32_t>(right, r.right);
        PutValue<int32_t>(bottom, r.bottom);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_ResizeColumn(RvList list, int32_t fromTimer) {
    return WithList(list, [&](CRvListCtrl& l) { return l.ResizeStep(fromTimer != 0); });
}

RVLISTCTRL_API int RvListCtrl_AutoSizeColumn(RvList list, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) { return l.AutoSizeColumn(column); });
}

RVLISTCTRL_API int RvListCtrl_HitTestHeader(RvList list, int32_t x, int32_t y, int32_t* column,
                                            int32_t* where) {
    return WithList(list, [&](CRvListCtrl& l) {
        int32_t hit = kNone;
        uint32_t kind = 0;
        if (!l.HitTestHeader(POINT{x, y}, &hit, &kind)) return 0;
        PutValue<int32_t>(column, hit);
        PutValue<int32_t>(where, static_cast<int32_t>(kind));
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_InvalidateHeader(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) { return l.InvalidateHeader(); });
}
