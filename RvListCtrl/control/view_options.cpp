// View options the macros switch: header, sort arrows, colours, patterns.
#include "rv_list_ctrl.h"

namespace rvl {

void CRvListCtrl::ShowHeader(bool on) {
    view_.headerShown = on;
    ResetScrollBars(kBarBoth, -1, true);
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::ShowHeaderSort(bool on) {
    view_.sortArrows = on;
    InvalidateHeader();
}

void CRvListCtrl::SetListColours(uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, uint32_t c5) {
    palette_.SetGroups(c1, c2, c3, c4, c5);
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::SetHighlightPattern(int32_t mode, std::wstring_view pattern, COLORREF colour) {
    view_.patternMode = mode != 0;
    view_.pattern = pattern;
    palette_.Set(Colour::PatternText, colour);
    InvalidateRect(window_, nullptr, FALSE);
}

} // namespace rvl
