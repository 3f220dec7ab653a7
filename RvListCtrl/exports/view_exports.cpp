// Exports of geometry, scrolling and view options.
#include "export_call.h"

using namespace rvl;

RVLISTCTRL_API int RvListCtrl_GetItemRect(RvList list, int32_t item, int32_t column, int32_t* left,
                                          int32_t* top, int32_t* right, int32_t* bottom) {
    return WithList(list, [&](CRvListCtrl& l) {
        RECT r;
        if (!l.ItemRect(item, column, &r)) return 0;
        PutValue<int32_t>(left, r.left);
        PutValue<int32_t>(top, r.top);
        PutValue<int32_t>(right, r.right);
        PutValue<int32_t>(bottom, r.bottom);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_InvalidateItem(RvList list, int32_t item, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) { return l.InvalidateItem(item, column); });
}

RVLISTCTRL_API int RvListCtrl_IsItemVisible(RvList list, int32_t item, int32_t column,
                                            int32_t partial) {
    return WithList(
        list, [&](CRvListCtrl& l) { return l.IsItemVisible(item, column, partial != 0) ? 1 : 0; });
}

RVLISTCTRL_API int RvListCtrl_EnsureItemVisible(RvList list, int32_t item, int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) {
        if (item < 0 || item >= l.ItemCount()) return 0;
        l.EnsureVisible(item, column);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_GetTopItem(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) { return l.TopItem(); });
}

RVLISTCTRL_API int RvListCtrl_GetCountPerPage(RvList list, int32_t partial) {
    return WithList(list, [&](CRvListCtrl& l) { return l.CountPerPage(partial != 0); });
}

RVLISTCTRL_API int RvListCtrl_GetTotalHeight(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) { return l.TotalHeight(); });
}

RVLISTCTRL_API int RvListCtrl_GetTotalWidth(RvList list) {
    return WithList(list, [&](CRvListCtrl& l) { return l.TotalWidth() - 1; });
}

RVLISTCTRL_API int RvListCtrl_ShowHeader(RvList list, int32_t on) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.ShowHeader(on != 0);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_ShowHeaderSort(RvList list, int32_t on) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.ShowHeaderSort(on != 0);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_ShowThemed(RvList list, int32_t on) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.ShowThemed(on != 0);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_ShowScrollBar(RvList list, int32_t bar, int32_t on) {
    return WithList(list, [&](CRvListCtrl& l) {
        if (bar != kBarHorizontal && bar != kBarVertical && bar != kBarBoth) return 0;
        l.AllowScrollBar(bar, on != 0);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_IsScrollBarVisible(RvList list, int32_t bar) {
    return WithList(list, [&](CRvListCtrl& l) { return l.IsScrollBarShown(bar) ? 1 : 0; });
}

RVLISTCTRL_API int RvListCtrl_ResetScrollBars(RvList list, int32_t bar, int32_t position,
                                              int32_t recalculate) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.ResetScrollBars(bar, position, recalculate != 0);
        InvalidateRect(l.Window(), nullptr, FALSE);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SetSmoothScroll(RvList list, int32_t on) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.SetSmoothScroll(on != 0);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SetListColours(RvList list, uint32_t background, uint32_t text,
                                             uint32_t border, uint32_t frameOuter,
                                             uint32_t frameInner) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.SetListColours(background, text, border, frameOuter, frameInner);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_SetHighLightPattern(RvList list, int32_t mode, const wchar_t* pattern,
                                                  uint32_t colour) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.SetHighlightPattern(mode, TextArgument(pattern), colour);
        return 1;
    });
}

RVLISTCTRL_API int RvListCtrl_ShowTitleTip(RvList list, int32_t x, int32_t y, int32_t item,
                                           int32_t column) {
    return WithList(list, [&](CRvListCtrl& l) {
        return l.ShowTitleTip(POINT{x, y}, item, column) ? 1 : 0;
    });
}

RVLISTCTRL_API int RvListCtrl_HideTitleTip(RvList list, int32_t reset) {
    return WithList(list, [&](CRvListCtrl& l) {
        l.HideTitleTip(reset != 0);
        return 1;
    });
}
