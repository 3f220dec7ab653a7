// The list's colours, by slot, with their defaults.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

namespace rvl {

enum class Colour : int {
    ListBackground,
    CellBorder,
    HeaderBackground,
    HeaderHighlight,
    HeaderShadow,
    HeaderPressed,
    HeaderText,
    SelectionBackground,
    SelectionText,
    ItemText,
    SelectionTop,
    SelectionBottom,
    SelectionFrameOuter,
    SelectionFrameInner,
    InactiveFrameOuter,
    InactiveFrameInner,
    InactiveTop,
    InactiveBottom,
    FocusCellOuter,
    FocusCellInner,
    ProgressTop,
    ProgressBottom,
    FocusCellBackground,
    LinkText,
    PatternText,
    Count
};

constexpr uint32_t kKeepColour = 0xFFFFFFFFu; // leaves a group of RvListCtrl_SetListColours

class Palette {
  public:
    Palette() { Reset(); }
    // System colours and our fixed defaults.
    void Reset();
    COLORREF operator[](Colour c) const { return slots_[static_cast<size_t>(c)]; }
    void Set(Colour c, COLORREF value) { slots_[static_cast<size_t>(c)] = value; }
    // The five groups of RvListCtrl_SetListColours; kKeepColour leaves a group.
    void SetGroups(uint32_t background, uint32_t text, uint32_t border, uint32_t frameOuter,
                   uint32_t frameInner);

    // A new list takes the face colour of its dialog for its background
    // and header; the selection, focus and pressed colours stay visible.
    void SetFaceBackground(COLORREF face);

  private:
    std::array<COLORREF, static_cast<size_t>(Colour::Count)> slots_{};
};

} // namespace rvl
