#include "palette.h"

#include <initializer_list>

namespace rvl {
namespace {

// Fixed defaults of the themed selection, focus cell, progress and link colours.
constexpr COLORREF kHeaderPressed = 0xB48C82;
constexpr COLORREF kSelectionTop = 0xF5C8AA, kSelectionBottom = 0xFAFAE6;
constexpr COLORREF kSelectionFrameOuter = 0xFAF0D2, kSelectionFrameInner = 0xFAD7B9;
constexpr COLORREF kInactiveFrameOuter = 0xFAFAFA, kInactiveFrameInner = 0xEBEBEB;
constexpr COLORREF kInactiveTop = 0xDCDCDC, kInactiveBottom = 0xF5F5F5;
constexpr COLORREF kFocusCellOuter = 0xF5F5EB, kFocusCellInner = 0xF5EBE1;
constexpr COLORREF kProgressTop = 0xAAF0AA, kProgressBottom = 0x32D22D;
constexpr COLORREF kFocusCellBackground = 0xD2BEB4;
constexpr COLORREF kLinkText = 0xC80000;
constexpr COLORREF kPatternText = 0x0000FF;

} // namespace

void Palette::Reset() {
    Set(Colour::ListBackground, GetSysColor(COLOR_WINDOW));
    Set(Colour::CellBorder, GetSysColor(COLOR_WINDOWTEXT));
    Set(Colour::HeaderBackground, GetSysColor(COLOR_BTNFACE));
    Set(Colour::HeaderHighlight, GetSysColor(COLOR_BTNHIGHLIGHT));
    Set(Colour::HeaderShadow, GetSysColor(COLOR_BTNSHADOW));
    Set(Colour::HeaderPressed, kHeaderPressed);
    Set(Colour::HeaderText, GetSysColor(COLOR_WINDOWTEXT));
    Set(Colour::SelectionBackground, GetSysColor(COLOR_HIGHLIGHT));
    Set(Colour::SelectionText, GetSysColor(COLOR_HIGHLIGHTTEXT));
    Set(Colour::ItemText, GetSysColor(COLOR_WINDOWTEXT));
    Set(Colour::SelectionTop, kSelectionTop);
    Set(Colour::SelectionBottom, kSelectionBottom);
    Set(Colour::SelectionFrameOuter, kSelectionFrameOuter);
    Set(Colour::SelectionFrameInner, kSelectionFrameInner);
    Set(Colour::InactiveFrameOuter, kInactiveFrameOuter);
    Set(Colour::InactiveFrameInner, kInactiveFrameInner);
    Set(Colour::InactiveTop, kInactiveTop);
    Set(Colour::InactiveBottom, kInactiveBottom);
    Set(Colour::FocusCellOuter, kFocusCellOuter);
    Set(Colour::FocusCellInner, kFocusCellInner);
    Set(Colour::ProgressTop, kProgressTop);
    Set(Colour::ProgressBottom, kProgressBottom);
    Set(Colour::FocusCellBackground, kFocusCellBackground);
    Set(Colour::LinkText, kLinkText);
    Set(Colour::PatternText, kPatternText);
}

void Palette::SetGroups(uint32_t background, uint32_t text, uint32_t border, uint32_t frameOuter,
                        uint32_t frameInner) {
    auto group = [this](uint32_t value, std::initializer_list<Colour> slots) {
        if (value == kKeepColour) return;
        for (Colour c : slots)
            Set(c, value);
    };
    group(background, {Colour::ListBackground, Colour::HeaderBackground, Colour::HeaderShadow,
                       Colour::SelectionBackground, Colour::SelectionTop, Colour::SelectionBottom,
                       Colour::InactiveFrameOuter, Colour::InactiveFrameInner, Colour::InactiveTop,
                       Colour::InactiveBottom, Colour::FocusCellBackground, Colour::HeaderPressed});
    group(text, {Colour::HeaderText, Colour::SelectionText, Colour::ItemText});
    group(border, {Colour::CellBorder, Colour::HeaderHighlight});
    group(frameOuter, {Colour::SelectionFrameOuter, Colour::FocusCellOuter});
    group(frameInner, {Colour::SelectionFrameInner, Colour::FocusCellInner});
}

} // namespace rvl

namespace rvl {

void Palette::SetFaceBackground(COLORREF face) {
    for (Colour c : {Colour::ListBackground, Colour::HeaderBackground, Colour::HeaderShadow})
        Set(c, face);
}

} // namespace rvl
