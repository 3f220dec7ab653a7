// Keyboard navigation, space on check cells and type-ahead search.
#include "rv_list_ctrl.h"

#include "clock.h"

#include <algorithm>
#include <cwctype>

namespace rvl {
namespace {

constexpr int kKeyScrollPixels = 5;         // Left and Right without focus-sub-item mode
constexpr int kControlKeyScrollPixels = 50; // the same with Control
constexpr DWORD kTypeAheadMs = 800;         // a key this soon extends the search text

bool Held(int key) {
    return GetKeyState(key) < 0;
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towupper(text[i]) != std::towupper(prefix[i])) return false;
    return true;
}

} // namespace

void CRvListCtrl::OnKeyDown(WPARAM key) {
    StopSmooth();
    HideTitleTip(false);
    InvalidateRect(window_, nullptr, FALSE);
    const bool shift = Held(VK_SHIFT), control = Held(VK_CONTROL);
    const Selection& s = Selected();
    const int32_t last = ItemCount() - 1, lastColumn = ColumnCount() - 1;
    int32_t item = CurrentItem();
    int32_t column = view_.focusSubItemMode ? s.focusSubItem : kNone;
    const int32_t tabColumn = std::exchange(editors_.tabColumn, kNone);
    switch (key) {
    case VK_TAB:
        if (control) return;
        if (view_.focusSubItemMode) {
            column = shift ? std::max(0, column - 1) : std::min(lastColumn, column + 1);
        } else {
            item = shift ? std::max(0, item - 1) : std::min(last, item + 1);
            column = tabColumn; // the next item's editor opens where the last one was
        }
        break;
    case VK_UP:
        item = std::max(0, item - 1);
        break;
    case VK_DOWN:
        item = std::min(last, item + 1);
        break;
    case VK_PRIOR:
        item = std::max(0, item - (CountPerPage(false) - 1));
        break;
    case VK_NEXT:
        item = std::min(last, std::max(0, item) + (CountPerPage(false) - 1));
        break;
    case VK_HOME:
        item = 0;
        break;
    case VK_END:
        item = last;
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (view_.focusSubItemMode) {
            column = key == VK_LEFT ? std::max(0, column - 1) : std::min(lastColumn, column + 1);
            break;
        } else {
            const int step = control ? kControlKeyScrollPixels : kKeyScrollPixels;
            const int next = scroll_.horizontal + (key == VK_LEFT ? -step : step);
            ResetScrollBars(kBarHorizontal, std::max(0, next), false);
            InvalidateRect(window_, nullptr, FALSE);
            return;
        }
    case VK_F2: // as in report-view lists: edit the current cell from the keyboard
        if (item != kNone) OpenEditor(item, column != kNone ? column : FirstEditableColumn(item));
        return;
    case VK_SPACE:
        if (item != kNone) ToggleCheck(item, view_.focusSubItemMode ? column : PositionOfIndex(0));
        return;
    default:
        if (key >= 'A' && key <= 'Z' && !control) TypeAhead(static_cast<wchar_t>(key));
        return;
    }
    if (item < 0 || item > last) return;
    EnsureVisible(item, column);
    if (control) { // only the focus moves
        Selection& focus = Selected();
        focus.focus = item;
        focus.focusSubItem = column;
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    // Shift+Tab only goes back: extending (or, with single selection,
    // toggling) would drop the cell whose editor Tab is to open.
    SelectItem(item, column, shift && key != VK_TAB ? MK_SHIFT : 0);
}

// The search wraps: after the last item it goes on from the first, so a
// letter always finds a match when there is one.
void CRvListCtrl::TypeAhead(wchar_t letter) {
    const DWORD now = Ticks();
    if (!search_.text.empty() && now - search_.time < kTypeAheadMs)
        search_.text += letter;
    else
        search_.text.assign(1, letter);
    search_.time = now;
    const int count = ItemCount();
    if (count == 0) return;
    const int32_t index = view_.sortColumn != kNone ? view_.sortColumn : 0;
    const int32_t current = CurrentItem();
    for (int step = 1; step <= count; ++step) {
        const int32_t item = (current + step) % count;
        const SubItem* cell = Cell(item < 0 ? 0 : item, index);
        if (item >= 0 && cell && StartsWithNoCase(cell->text, search_.text)) {
            SelectItem(item, kNone, 0);
            EnsureVisible(item, kNone);
            return;
        }
    }
}

} // namespace rvl
