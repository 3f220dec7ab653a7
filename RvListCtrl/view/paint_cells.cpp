// Painting one cell by its format: text, date, check box, link, progress.
#include "rv_list_ctrl.h"

#include "RvListCtrl.h"
#include "cell_text.h"
#include "draw_helpers.h"

#include <vssym32.h>

namespace rvl {
namespace {

constexpr int kTextPadding = 3;                      // left and right of a cell's text
constexpr int kTextSpacing = 1;                      // the text starts this far below the row top
constexpr int kBoxCorner = 3;                        // corner ellipse of a cell box
constexpr int kBarInsetX = 3, kBarInsetY = 2;        // progress bar inside its cell
constexpr int kChunkInset = 3, kChunkInsetRight = 2; // themed chunk inside the bar
constexpr int kTroughInset = 3;                      // plain bar inside its trough

// Images of the control's image list.
constexpr int kImageUnchecked = 2, kImageChecked = 3, kImageChecked3 = 4, kImageIndeterminate = 5;

UINT TextFlags(uint32_t flags) {
    UINT f = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (flags & FlagCentre)
        f |= DT_CENTER;
    else if (flags & FlagRight)
        f |= DT_RIGHT;
    return f;
}

} // namespace

void CRvListCtrl::PaintCell(HDC dc, int32_t item, int32_t position, const RECT& cell,
                            bool rowSelected) {
    const int32_t subItem = Columns()[static_cast<size_t>(position)].index;
    const SubItem* s = Cell(item, subItem);
    if (!s) return; // a column added after the item has no cell in it
    const uint32_t format = EffectiveFormat(item, subItem);
    const uint32_t flags = EffectiveFlags(item, subItem);

    COLORREF text = palette_[Colour::ItemText];
    if (rowSelected && !Themed()) text = palette_[Colour::SelectionText];
    if (s->background != palette_[Colour::ListBackground]) {
        OwnedBrush brush(CreateSolidBrush(s->background));
        OwnedPen pen(CreatePen(PS_SOLID, 1, s->border));
        SelectGdi b(dc, brush.get()), p(dc, pen.get());
        RoundRect(dc, cell.left, cell.top, cell.right, cell.bottom, kBoxCorner, kBoxCorner);
        text = s->textColour;
    }
    if (view_.patternMode && !view_.pattern.empty() &&
        s->text.find(view_.pattern) != std::wstring::npos)
        text = palette_[Colour::PatternText];

    switch (format) {
    case FormatCheck:
    case FormatCheck3:
        PaintCheck(dc, cell, format, s->text);
        return;
    case FormatProgress:
        PaintProgress(dc, cell, ProgressValue(s->text), flags);
        return;
    default:
        break;
    }

    std::wstring shown = format == FormatDateTime ? DateTimeDisplay(s->text, flags) : s->text;
    if (shown.empty()) return;
    HFONT font = fonts_.list.get();
    if (format == FormatLink && !(flags & FlagReadOnly) && item == pointer_.hotItem &&
        position == pointer_.hotSubItem) {
        font = fonts_.underlined.get();
        text = palette_[Colour::LinkText];
    }
    RECT r{cell.left + kTextPadding, cell.top + kTextSpacing, cell.right - kTextPadding,
           cell.bottom};
    if (s->image != kNone && images_.itemImages) {
        ImageList_Draw(images_.itemImages, s->image, dc, r.left,
                       cell.top + (cell.bottom - cell.top - images_.iconWidth) / 2,
                       ILD_TRANSPARENT);
        r.left += images_.iconWidth + kTextPadding;
    }
    SelectGdi f(dc, font);
    SetTextColor(dc, text);
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &r, TextFlags(flags));
}

void CRvListCtrl::PaintCheck(HDC dc, const RECT& cell, uint32_t format, const std::wstring& text) {
    if (!images_.list) return;
    const int state = ReadInteger(text);
    int image = kImageUnchecked;
    if (state == 1) image = format == FormatCheck3 ? kImageChecked3 : kImageChecked;
    if (format == FormatCheck3 && state == -1) image = kImageIndeterminate;
    int cx = 16, cy = 16;
    ImageList_GetIconSize(images_.list, &cx, &cy);
    ImageList_Draw(images_.list, image, dc, (cell.left + cell.right - cx) / 2,
                   (cell.top + cell.bottom - cy) / 2, ILD_TRANSPARENT);
}

void CRvListCtrl::PaintProgress(HDC dc, const RECT& cell, double value, uint32_t flags) {
    const RECT bar = Deflated(cell, kBarInsetX, kBarInsetY);
    if (bar.right <= bar.left || bar.bottom <= bar.top) return;
    if (view_.themed && themes_.progress && !(flags & FlagProgressPlain)) {
        DrawThemeBackground(themes_.progress, dc, PP_BAR, 0, &bar, nullptr);
        RECT chunk{bar.left + kChunkInset, bar.top + kChunkInset, bar.right - kChunkInsetRight,
                   bar.bottom - kChunkInset};
        chunk.right = chunk.left + static_cast<LONG>((chunk.right - chunk.left) * value / 100);
        if (chunk.right > chunk.left)
            DrawThemeBackground(themes_.progress, dc, PP_CHUNK, 0, &chunk, nullptr);
        return;
    }
    FillVerticalGradient(dc, bar, palette_[Colour::HeaderShadow],
                         palette_[Colour::HeaderBackground]);
    RECT inner = Deflated(bar, kTroughInset, kTroughInset);
    inner.right = inner.left + static_cast<LONG>((inner.right - inner.left) * value / 100);
    FillVerticalGradient(dc, inner, palette_[Colour::ProgressTop],
                         palette_[Colour::ProgressBottom]);
}

} // namespace rvl
