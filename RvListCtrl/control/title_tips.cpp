// Offering the title tip for a cell whose text is cut off, and hiding it.
#include "rv_list_ctrl.h"

#include "RvListCtrl.h"
#include "cell_text.h"

namespace rvl {
namespace {

constexpr int kTextStart = 3, kFirstTextStart = 4; // from the cell's left edge
constexpr int kTextNarrowing = 4;                  // on each side of the text area
constexpr int kImageGap = 4;                       // after a cell's image
constexpr int kTipLeft = 4;                        // the tip starts this far left of the text
constexpr int kTipExtraWidth = 11;                 // beyond the text's width

} // namespace

bool CRvListCtrl::TitleTipArea(int32_t item, int32_t column, RECT* area) const {
    RECT cell;
    if (!ItemRect(item, column, &cell)) return false;
    *area = cell;
    area->left += column == 0 ? kFirstTextStart : kTextStart;
    area->left += kTextNarrowing;
    area->right -= kTextNarrowing;
    const Column* c = ColumnAt(column);
    const SubItem* s = c ? Cell(item, c->index) : nullptr;
    if (s && s->image != kNone && images_.itemImages) area->left += images_.iconWidth + kImageGap;
    return true;
}

bool CRvListCtrl::ShowTitleTip(POINT p, int32_t item, int32_t column) {
    if (view_.editing) return false;
    if (item != kNone && item == tips_.titleItem && column == tips_.titleColumn)
        return tips_.title.IsShown(); // remembered until a reset or another cell
    bool shown = false;
    RECT area;
    const Column* c = ColumnAt(column);
    const SubItem* s = c ? Cell(item, c->index) : nullptr;
    if (s && TitleTipArea(item, column, &area) && PtInRect(&area, p)) {
        const uint32_t format = EffectiveFormat(item, c->index);
        std::wstring text;
        if (format == FormatDateTime)
            text = DateTimeDisplay(s->text, EffectiveFlags(item, c->index));
        else if (format != FormatCheck && format != FormatCheck3 && format != FormatProgress)
            text = s->text;
        const int width = tips_.title.TextWidth(text);
        if (!text.empty() && width > area.right - area.left - 1) {
            tips_.title.Show(text, area.left - kTipLeft, area, width + kTipExtraWidth);
            tips_.title.SetItemToolTip(ToolTipOf(item));
            shown = true;
        }
    }
    if (shown) {
        tips_.titleItem = item;
        tips_.titleColumn = column;
    } else {
        tips_.titleItem = tips_.titleColumn = kNone;
        tips_.title.Hide();
    }
    return shown;
}

void CRvListCtrl::HideTitleTip(bool reset) {
    tips_.title.Hide();
    if (reset) tips_.titleItem = tips_.titleColumn = kNone;
}

} // namespace rvl
