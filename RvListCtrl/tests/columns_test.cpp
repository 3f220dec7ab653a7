// Columns: adding, flags, widths, combo lists, deletion and their index fields.
#include "list_fixture.h"

namespace rvltest {
namespace {

TEST_F(ListTest, AnItemNeedsAColumn) {
    EXPECT_EQ(RvListCtrl_AddItem(list_, L"alone", -1, 0, 0), -1);
    EXPECT_EQ(RvListCtrl_GetItemCount(list_), 0);
    AddColumns(1);
    EXPECT_EQ(RvListCtrl_AddItem(list_, L"first", -1, 0, 0), 0);
    EXPECT_EQ(RvListCtrl_AddItem(list_, L"second", -1, 0, 0), 1);
}

TEST_F(ListTest, AColumnAddedAfterTheItemsHasNoCellsInThem) {
    AddColumns(1);
    AddItems(2);
    AddColumns(1);
    EXPECT_EQ(RvListCtrl_SetItemText(list_, 0, 1, L"late"), 0);
    EXPECT_EQ(ItemText(list_, 0, 1), L"");
    EXPECT_EQ(RvListCtrl_GetItemImage(list_, 0, 1), -1);
    EXPECT_EQ(RvListCtrl_SetItemCheck(list_, 0, 1, 1), 0);
    EXPECT_EQ(RvListCtrl_AddItem(list_, L"new", -1, 0, 0), 2);
    EXPECT_EQ(RvListCtrl_SetItemText(list_, 2, 1, L"has it"), 1);
    EXPECT_EQ(ItemText(list_, 2, 1), L"has it");
}

TEST_F(ListTest, AnUntitledColumnWithAnImageIsAsWideAsTheImageAndCentred) {
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"", 100, 3, 0, 0, FlagRight), 1);
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 0), 16 + 5);
    EXPECT_EQ(RvListCtrl_GetColumnFlags(list_, 0), static_cast<int>(FlagCentre));
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"", 100, -1, 0, 0, 0), 1);
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 1), 100) << "no image: the width as given";
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"T", 100, 3, 0, 0, 0), 1);
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 2), 100) << "a title: the width as given";
}

TEST_F(ListTest, FlagsAreNormalisedWheneverAColumnOrItemStoresThem) {
    const struct {
        uint32_t given, stored;
    } cases[] = {
        {0x0007, 0x0004}, {0x0C00, 0x0400}, {0x0E10, 0x0210}, {0x0030, 0x0020},
        {0x0180, 0x0000}, {0x0003, 0x0002}, {0x01E0, 0x01E0}, {0x2008, 0x2008},
    };
    AddColumns(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.given);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"n", 20, -1, 0, 1, c.given), 1);
        const int last = RvListCtrl_GetColumnCount(list_) - 1;
        EXPECT_EQ(RvListCtrl_GetColumnFlags(list_, last), static_cast<int>(c.stored));
        ASSERT_EQ(RvListCtrl_SetColumnFormat(list_, 0, 1, c.given), 1);
        EXPECT_EQ(RvListCtrl_GetColumnFlags(list_, 0), static_cast<int>(c.stored));
        ASSERT_EQ(RvListCtrl_SetColumnComboList(list_, 0, 3, c.given, L"a"), 1);
        EXPECT_EQ(RvListCtrl_GetColumnFlags(list_, 0), static_cast<int>(c.stored));
        const int item = RvListCtrl_AddItem(list_, L"i", -1, 1, c.given);
        ASSERT_GE(item, 0);
        EXPECT_EQ(RvListCtrl_GetItemFlags(list_, item, 0), static_cast<int>(c.stored));
    }
    // Setting an item's format stores the flags as given.
    ASSERT_EQ(RvListCtrl_SetItemFormat(list_, 0, 0, 1, 0x0007), 1);
    EXPECT_EQ(RvListCtrl_GetItemFlags(list_, 0, 0), 0x0007);
}

TEST_F(ListTest, AFixedColumnKeepsItsWidth) {
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"fixed", 60, -1, 1, 0, 0), 1);
    EXPECT_EQ(RvListCtrl_SetColumnWidth(list_, 0, 200), 1);
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 0), 60);
    EXPECT_EQ(RvListCtrl_AutoSizeColumn(list_, 0), 0);
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 0), 60);
    AddColumns(1);
    EXPECT_EQ(RvListCtrl_SetColumnWidth(list_, 1, 33), 1);
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 1), 33);
    EXPECT_EQ(RvListCtrl_SetColumnWidth(list_, 2, 33), 0);
    EXPECT_EQ(RvListCtrl_GetTotalWidth(list_), 60 + 33 - 1);
}

TEST_F(ListTest, DeletingAColumnKeepsTheCellsAndTheOtherIndexFields) {
    AddColumns(3);
    AddItems(2);
    ASSERT_EQ(RvListCtrl_DeleteColumn(list_, 1), 1);
    EXPECT_EQ(RvListCtrl_DeleteColumn(list_, 2), 0);
    EXPECT_EQ(RvListCtrl_GetColumnCount(list_), 2);
    EXPECT_EQ(RvListCtrl_GetColumnIndex(list_, 0), 0);
    EXPECT_EQ(RvListCtrl_GetColumnIndex(list_, 1), 2);
    EXPECT_EQ(RvListCtrl_GetColumnIndex(list_, 5), 0);
    EXPECT_EQ(ItemText(list_, 1, 1), L"r1c1") << "cells are addressed by index";
    EXPECT_EQ(ItemText(list_, 1, 2), L"r1c2");
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"again", 10, -1, 0, 0, 0), 1);
    EXPECT_EQ(RvListCtrl_GetColumnIndex(list_, 2), 2) << "the index is the count at adding";
    EXPECT_EQ(RvListCtrl_DeleteAllColumns(list_), 1);
    EXPECT_EQ(RvListCtrl_GetColumnCount(list_), 0);
}

TEST_F(ListTest, ComboListsSplitAtBarsAndFallBackToTheColumn) {
    AddColumns(2);
    AddItems(1);
    wchar_t buffer[64];
    const struct {
        const wchar_t* given;
        const wchar_t* joined;
        int entries;
    } lists[] = {{L"a|b|c", L"a|b|c", 3}, {L"a||c", L"a||c", 3}, {L"a|b|", L"a|b", 2},
                 {L"", L"", 0},           {L"|", L"", 1},        {L"single", L"single", 1}};
    for (const auto& l : lists) {
        SCOPED_TRACE(testing::Message() << l.given);
        ASSERT_EQ(RvListCtrl_SetColumnComboList(list_, 1, FormatCombo, 0, l.given), 1);
        EXPECT_EQ(RvListCtrl_GetColumnComboList(list_, 1, buffer, 64), l.entries);
        EXPECT_STREQ(buffer, l.joined);
    }
    ASSERT_EQ(RvListCtrl_SetColumnComboList(list_, 1, FormatCombo, FlagComboEdit, L"x|y"), 1);
    EXPECT_EQ(RvListCtrl_GetItemComboList(list_, 0, 1, buffer, 64), 2);
    EXPECT_STREQ(buffer, L"x|y") << "an empty cell list falls back to the column";
    EXPECT_EQ(RvListCtrl_GetItemFormat(list_, 0, 1), FormatCombo);
    EXPECT_EQ(RvListCtrl_SetItemComboIndex(list_, 0, 1, 1), 1);
    EXPECT_EQ(ItemText(list_, 0, 1), L"y");
    EXPECT_EQ(RvListCtrl_SetItemComboIndex(list_, 0, 1, 7), 1);
    EXPECT_EQ(ItemText(list_, 0, 1), L"") << "outside the list";
    EXPECT_EQ(RvListCtrl_SetItemComboIndex(list_, 4, 1, 0), 0);

    // The cell's own list copies the effective format and flags into the cell.
    ASSERT_EQ(RvListCtrl_SetItemComboList(list_, 0, 1, L"p|q|r"), 1);
    ASSERT_EQ(RvListCtrl_SetColumnFormat(list_, 1, FormatEdit, FlagNumber), 1);
    EXPECT_EQ(RvListCtrl_GetItemFormat(list_, 0, 1), FormatCombo);
    EXPECT_EQ(RvListCtrl_GetItemFlags(list_, 0, 1), static_cast<int>(FlagComboEdit));
    EXPECT_EQ(RvListCtrl_GetItemComboList(list_, 0, 1, buffer, 64), 3);
    EXPECT_STREQ(buffer, L"p|q|r");
    EXPECT_EQ(RvListCtrl_GetColumnComboList(list_, 9, buffer, 64), 0);
    EXPECT_STREQ(buffer, L"");
}

TEST_F(ListTest, ColumnRectanglesFollowTheWidthsAndTheHeader) {
    AddColumns(3, 70);
    int32_t l = -9, t = -9, r = -9, b = -9;
    ASSERT_EQ(RvListCtrl_GetColumnRect(list_, 2, &l, &t, &r, &b), 1);
    EXPECT_EQ(l, 140);
    EXPECT_EQ(r, 210);
    EXPECT_EQ(t, 0);
    EXPECT_EQ(b, RvListCtrl_GetTotalHeight(list_)) << "no items: the total is the header";
    EXPECT_EQ(RvListCtrl_GetColumnRect(list_, 3, &l, &t, &r, &b), 0);
    // The header is as high as a row: the text "Height" in the message font + 9.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"Height", 6, &extent);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    DeleteObject(font);
    EXPECT_EQ(b - t, extent.cy + 9);
}

TEST_F(ListTest, AutoSizeFitsTheWidestText) {
    AddColumns(2, 10);
    AddItems(2);
    RvListCtrl_SetItemText(list_, 1, 1, L"a much longer text than the others");
    ASSERT_EQ(RvListCtrl_AutoSizeColumn(list_, 1), 1);
    const int wide = RvListCtrl_GetColumnWidth(list_, 1);
    RvListCtrl_SetItemText(list_, 1, 1, L"short");
    ASSERT_EQ(RvListCtrl_AutoSizeColumn(list_, 1), 1);
    const int narrow = RvListCtrl_GetColumnWidth(list_, 1);
    EXPECT_GT(wide, narrow + 50);
    EXPECT_GT(narrow, 20);
    EXPECT_EQ(RvListCtrl_AutoSizeColumn(list_, 2), 0);
}

} // namespace
} // namespace rvltest
