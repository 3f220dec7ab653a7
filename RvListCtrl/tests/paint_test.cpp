// Pixels of painted rows, cells and the header, drawn without visual styles
// (the themed drawing is checked by themed_paint_test.cpp in a themed run).
#include "list_fixture.h"

namespace rvltest {
namespace {

constexpr COLORREF kGreen = RGB(0, 200, 0), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

bool Greenish(COLORREF c) {
    return GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 40;
}

class Painting : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        RvListCtrl_ShowThemed(list_, 0);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Name", 100, -1, 0, FormatEdit, 0), 1);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"On", 40, -1, 0, FormatCheck, 0), 1);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Done", 100, -1, 0, FormatProgress, 0), 1);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Box", 60, -1, 0, FormatNone, 0), 1);
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(RvListCtrl_AddItem(list_, L"", -1, 0, 0), i);
        item_ = ItemHeight();
    }
    // The middle of a cell, on a row of the picture.
    int RowY(int item) const { return (item + 1) * item_ + item_ / 2; }
    int item_ = 0;
};

TEST_F(Painting, RowsShowTheListBackgroundAndTheSelectionItsColour) {
    RvListCtrl_SetListColours(list_, RGB(240, 240, 200), 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
                              0xFFFFFFFF);
    Picture plain(window_);
    EXPECT_EQ(plain.At(350, RowY(1)), RGB(240, 240, 200)) << "right of the columns";
    EXPECT_EQ(plain.At(50, RowY(3) + item_), RGB(240, 240, 200)) << "below the rows";
    EXPECT_EQ(plain.At(50, RowY(1)), GetSysColor(COLOR_WINDOW))
        << "cells keep the background they were made with, and show it as a box now";

    // A re-initialisation brings the system colours back.
    SendMessageW(window_, WM_SYSCOLORCHANGE, 0, 0);
    RvListCtrl_SelectItem(list_, 1, 0, 0);
    Picture selected(window_);
    EXPECT_EQ(selected.At(50, RowY(1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(selected.At(50, RowY(0)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(selected.At(50, RowY(2)), GetSysColor(COLOR_WINDOW));
    // The selection reaches the end of the columns, not beyond.
    EXPECT_EQ(selected.At(295, RowY(1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(selected.At(310, RowY(1)), GetSysColor(COLOR_WINDOW));
}

TEST_F(Painting, EveryReinitialisationResetsThePalette) {
    for (UINT message : {WM_SYSCOLORCHANGE, WM_SETTINGCHANGE, WM_FONTCHANGE, WM_THEMECHANGED}) {
        SCOPED_TRACE(message);
        RvListCtrl_SetListColours(list_, kBlue, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
        EXPECT_EQ(Picture(window_).At(350, RowY(2)), kBlue);
        SendMessageW(window_, message, 0, 0);
        EXPECT_EQ(Picture(window_).At(350, RowY(2)), GetSysColor(COLOR_WINDOW));
    }
    RvListCtrl_SetListColours(list_, kBlue, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
    RvListCtrl_ShowThemed(list_, 0);
    EXPECT_EQ(Picture(window_).At(350, RowY(2)), GetSysColor(COLOR_WINDOW));
}

TEST_F(Painting, ACellBoxIsFilledAndOutlinedInItsColours) {
    RvListCtrl_SetItemText(list_, 1, 3, L"");
    ASSERT_EQ(RvListCtrl_SetItemColours(list_, 1, 3, kGreen, kBlue, kRed), 1);
    Picture p(window_);
    const int left = 240, right = 300, top = 2 * item_, bottom = 3 * item_;
    EXPECT_EQ(p.At((left + right) / 2, (top + bottom) / 2), kGreen);
    EXPECT_EQ(p.At(left, (top + bottom) / 2), kRed) << "the outline";
    EXPECT_EQ(p.At((left + right) / 2, top), kRed);
    EXPECT_NE(p.At(left, top), kGreen) << "rounded corners";
    EXPECT_NE(p.At((left + right) / 2, RowY(0)), kGreen) << "only that cell";
}

TEST_F(Painting, CellTextUsesTheCellColourAndTheHighlightPattern) {
    RvListCtrl_SetItemText(list_, 0, 0, L"WWWWWWWW");
    RvListCtrl_SetItemColours(list_, 0, 0, RGB(255, 255, 200), kBlue, kBlue);
    EXPECT_GT(Picture(window_).Count({2, item_ + 2, 98, 2 * item_ - 2}, kBlue), 20);
    RvListCtrl_SetItemColours(list_, 0, 0, GetSysColor(COLOR_WINDOW), kBlue, kBlue);
    EXPECT_EQ(Picture(window_).Count({2, item_ + 2, 98, 2 * item_ - 2}, kBlue), 0)
        << "without a box the row's text colour";
    RvListCtrl_SetHighLightPattern(list_, 1, L"WW", kRed);
    EXPECT_GT(Picture(window_).Count({0, item_, 100, 2 * item_}, kRed), 20);
    RvListCtrl_SetHighLightPattern(list_, 1, L"ww", kRed);
    EXPECT_EQ(Picture(window_).Count({0, item_, 100, 2 * item_}, kRed), 0) << "case-sensitive";
}

// How many pixels of `r` are dark enough to be text.
int DarkPixels(const Picture& p, const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (GetGValue(p.At(x, y)) < 100) ++n;
    return n;
}

TEST_F(Painting, TextIsAlignedByTheCellFlags) {
    const RECT left{0, item_, 50, 2 * item_}, right{50, item_, 100, 2 * item_};
    RvListCtrl_SetItemText(list_, 0, 0, L"III");
    Picture plain(window_);
    EXPECT_GT(DarkPixels(plain, left), 0);
    EXPECT_EQ(DarkPixels(plain, right), 0) << "left-aligned by default";
    RvListCtrl_SetItemFormat(list_, 0, 0, FormatEdit, FlagRight);
    Picture aligned(window_);
    EXPECT_EQ(DarkPixels(aligned, left), 0);
    EXPECT_GT(DarkPixels(aligned, right), 0);
    RvListCtrl_SetItemFormat(list_, 0, 0, FormatEdit, FlagCentre);
    Picture centred(window_);
    EXPECT_GT(DarkPixels(centred, {40, item_, 60, 2 * item_}), 0);
    EXPECT_EQ(DarkPixels(centred, {0, item_, 30, 2 * item_}), 0);
}

TEST_F(Painting, TheFocusCellStandsOutInFocusSubItemMode) {
    SendMessageW(window_, WM_SYSCOLORCHANGE, 0, 0); // the system colours for rows and cells
    RvListCtrl_DeleteAllItems(list_);
    for (int i = 0; i < 3; ++i)
        RvListCtrl_AddItem(list_, L"", -1, 0, 0);
    RvListCtrl_SetFocusSubItem(list_, 1);
    RvListCtrl_SelectItem(list_, 1, 3, 0);
    Picture p(window_);
    const int y = RowY(1);
    EXPECT_EQ(p.At(270, y), RGB(0xB4, 0xBE, 0xD2)) << "FocusCellBackground 0xD2BEB4";
    EXPECT_EQ(p.At(50, y), GetSysColor(COLOR_HIGHLIGHT)) << "the rest of the row";
    RvListCtrl_SetFocusSubItem(list_, 0);
    EXPECT_EQ(Picture(window_).At(270, y), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(Painting, HeaderImagesComeBeforeTheTitle) {
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"", 100, 3, 0, 0, 0), 1) << "the checked box";
    Picture p(window_);
    const RECT cell{300, 0, 300 + 21, item_};
    EXPECT_GT(p.Count(cell, RGB(32, 32, 32)), 8);
}

TEST_F(Painting, CheckCellsShowTheirImage) {
    const RECT cell{100, 2 * item_, 140, 3 * item_};
    const COLORREF tick = RGB(32, 32, 32), box = RGB(96, 96, 96);
    RvListCtrl_SetItemCheck(list_, 1, 1, 0);
    Picture unchecked(window_);
    EXPECT_GT(unchecked.Count(cell, box), 30) << "the box";
    EXPECT_EQ(unchecked.Count(cell, tick), 0);
    RvListCtrl_SetItemCheck(list_, 1, 1, 1);
    Picture checked(window_);
    EXPECT_GT(checked.Count(cell, tick), 8) << "the tick";
    EXPECT_EQ(checked.At(100 + 20 - 8 + 3, 2 * item_ + item_ / 2), RGB(255, 255, 255))
        << "inside the box, left of the tick";
    // Three states: checked in another colour, indeterminate grey.
    RvListCtrl_SetItemFormat(list_, 1, 1, FormatCheck3, 0);
    RvListCtrl_SetItemCheck(list_, 1, 1, -1);
    EXPECT_GT(Picture(window_).Count(cell, RGB(128, 128, 128)), 30);
    RvListCtrl_SetItemCheck(list_, 1, 1, 1);
    EXPECT_GT(Picture(window_).Count(cell, RGB(0, 96, 160)), 8);
}

TEST_F(Painting, ProgressCellsFillTheirShareOfTheTrough) {
    RvListCtrl_SetItemProgress(list_, 2, 2, 50.0);
    Picture half(window_);
    const int y = RowY(2);
    // The cell spans 140 .. 240; the bar 143 .. 237, the fill 146 .. 234 wide by half.
    EXPECT_TRUE(Greenish(half.At(150, y)));
    EXPECT_TRUE(Greenish(half.At(185, y)));
    EXPECT_FALSE(Greenish(half.At(200, y)));
    EXPECT_FALSE(Greenish(half.At(230, y)));
    RvListCtrl_SetItemProgress(list_, 2, 2, 150.0);
    EXPECT_TRUE(Greenish(Picture(window_).At(230, y))) << "limited to 100";
    RvListCtrl_SetItemProgress(list_, 2, 2, -20.0);
    EXPECT_FALSE(Greenish(Picture(window_).At(150, y)));
}

TEST_F(Painting, TheHeaderShowsItsColoursAndTheSortArrow) {
    Picture p(window_);
    EXPECT_EQ(p.At(50, item_ / 2), GetSysColor(COLOR_BTNFACE)) << "the header face";
    EXPECT_EQ(p.At(350, item_ / 2), GetSysColor(COLOR_BTNFACE)) << "right of the columns";
    EXPECT_EQ(p.At(0, item_ / 2), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the light edge";
    EXPECT_EQ(p.At(99, item_ / 2), GetSysColor(COLOR_BTNSHADOW)) << "the dark edge";
    const RECT arrowArea{100 - 15, 1, 100, item_ - 1};
    const COLORREF arrow = RGB(80, 80, 80);
    EXPECT_EQ(p.Count(arrowArea, arrow), 0);
    RvListCtrl_ShowHeaderSort(list_, 1);
    RvListCtrl_SortColumn(list_, 0);
    Picture sorted(window_);
    EXPECT_GT(sorted.Count(arrowArea, arrow), 10);
    RvListCtrl_ShowHeader(list_, 0);
    EXPECT_NE(Picture(window_).At(50, item_ / 2), GetSysColor(COLOR_BTNSHADOW));
    int32_t top = -1;
    RvListCtrl_GetItemRect(list_, 0, -1, nullptr, &top, nullptr, nullptr);
    EXPECT_EQ(top, 0) << "without the header the rows start at the top";
}

} // namespace
} // namespace rvltest
