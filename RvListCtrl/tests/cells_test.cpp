// Cells: texts, typed values (check, progress, dates), images, colours and
// the effective attributes that fall back to the column.
#include "list_fixture.h"

#include <cstring>
#include <cwchar>

namespace rvltest {
namespace {

TEST_F(ListTest, CheckStatesFollowTheCellFormat) {
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"two", 40, -1, 0, FormatCheck, 0), 1);
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"three", 40, -1, 0, FormatCheck3, 0), 1);
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"edit", 40, -1, 0, FormatEdit, 0), 1);
    ASSERT_EQ(RvListCtrl_AddItem(list_, L"", -1, 0, 0), 0);
    const struct {
        int subItem, state;
        int result;
        const wchar_t* text;
    } cases[] = {
        {0, 5, 1, L"1"},   {0, 1, 1, L"1"}, {0, 0, 1, L"0"}, {0, -3, 1, L"0"}, {1, 2, 1, L"1"},
        {1, -5, 1, L"-1"}, {1, 0, 1, L"0"}, {1, 1, 1, L"1"}, {2, 1, 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.subItem << " " << c.state);
        EXPECT_EQ(RvListCtrl_SetItemCheck(list_, 0, c.subItem, c.state), c.result);
        EXPECT_EQ(ItemText(list_, 0, c.subItem), c.text);
    }
    RvListCtrl_SetItemText(list_, 0, 1, L"-1");
    EXPECT_EQ(RvListCtrl_GetItemCheck(list_, 0, 1), -1);
    EXPECT_EQ(RvListCtrl_GetItemCheck(list_, 0, 2), 0);
    // The cell's own format wins over the column's.
    ASSERT_EQ(RvListCtrl_SetItemFormat(list_, 0, 2, FormatCheck3, 0), 1);
    EXPECT_EQ(RvListCtrl_SetItemCheck(list_, 0, 2, -1), 1);
    EXPECT_EQ(ItemText(list_, 0, 2), L"-1");
}

TEST_F(ListTest, DatesAreKeptAsDigitsAndReadBackWithZerosForMissingOnes) {
    AddColumns(1);
    AddItems(1);
    const SYSTEMTIME date{2024, 3, 4, 9, 14, 5, 59, 123};
    ASSERT_EQ(RvListCtrl_SetItemDate(list_, 0, 0, &date), 1);
    EXPECT_EQ(ItemText(list_, 0, 0), L"20240309140559");
    SYSTEMTIME back{};
    ASSERT_EQ(RvListCtrl_GetItemDate(list_, 0, 0, &back), 1);
    const SYSTEMTIME expected{2024, 3, 0, 9, 14, 5, 59, 0};
    EXPECT_EQ(std::memcmp(&back, &expected, sizeof back), 0);

    RvListCtrl_SetItemText(list_, 0, 0, L"2024");
    SYSTEMTIME year;
    std::memset(&year, 0x55, sizeof year);
    ASSERT_EQ(RvListCtrl_GetItemDate(list_, 0, 0, &year), 1);
    const SYSTEMTIME yearOnly{2024, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&year, &yearOnly, sizeof year), 0);

    RvListCtrl_SetItemText(list_, 0, 0, L"");
    std::memset(&year, 0x55, sizeof year);
    EXPECT_EQ(RvListCtrl_GetItemDate(list_, 0, 0, &year), 0);
    const SYSTEMTIME zero{};
    EXPECT_EQ(std::memcmp(&year, &zero, sizeof year), 0);
    EXPECT_EQ(RvListCtrl_GetItemDate(list_, 3, 0, &year), 0);
}

TEST_F(ListTest, DatesAndTimesInTheUsersLocale) {
    AddColumns(1);
    const SYSTEMTIME date{2023, 12, 0, 24, 18, 30, 15, 0};
    wchar_t expectedDate[32], expectedTime[32], text[32];
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, expectedDate, 32);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &date, nullptr, expectedTime, 32);
    EXPECT_EQ(RvListCtrl_FormatDate(list_, &date, text, 32),
              static_cast<int>(wcslen(expectedDate)));
    EXPECT_STREQ(text, expectedDate);
    EXPECT_EQ(RvListCtrl_FormatTime(list_, &date, text, 32),
              static_cast<int>(wcslen(expectedTime)));
    EXPECT_STREQ(text, expectedTime);
    const SYSTEMTIME noYear{0, 12, 0, 24, 18, 30, 15, 0};
    EXPECT_EQ(RvListCtrl_FormatDate(list_, &noYear, text, 32), 0);
    EXPECT_STREQ(text, L"");
    EXPECT_EQ(RvListCtrl_FormatDate(list_, &date, text, 3), 2);
    EXPECT_EQ(std::wstring(text), std::wstring(expectedDate, 2));
}

TEST_F(ListTest, ProgressIsTextWithOneDecimal) {
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"p", 60, -1, 0, FormatProgress, 0), 1);
    AddItems(1);
    const struct {
        double value;
        const wchar_t* text;
    } cases[] = {{42.0, L"42.0"}, {99.96, L"100.0"}, {-3.24, L"-3.2"}, {250, L"250.0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(RvListCtrl_SetItemProgress(list_, 0, 0, c.value), 1);
        EXPECT_EQ(ItemText(list_, 0, 0), c.text);
    }
    EXPECT_EQ(RvListCtrl_SetItemProgress(list_, 1, 0, 1.0), 0);
}

TEST_F(ListTest, TextResultsAreCutToTheBufferAndTerminated) {
    AddColumns(1);
    AddItems(1);
    RvListCtrl_SetItemText(list_, 0, 0, L"abcdefghij");
    wchar_t buffer[8];
    std::wmemset(buffer, L'#', 8);
    EXPECT_EQ(RvListCtrl_GetItemText(list_, 0, 0, buffer, 5), 4);
    EXPECT_STREQ(buffer, L"abcd");
    EXPECT_EQ(buffer[5], L'#') << "nothing beyond the given size";
    EXPECT_EQ(RvListCtrl_GetItemText(list_, 0, 0, buffer, 1), 0);
    EXPECT_STREQ(buffer, L"");
    ASSERT_EQ(RvListCtrl_SetColumnComboList(list_, 0, FormatCombo, 0, L"one|two|three"), 1);
    EXPECT_EQ(RvListCtrl_GetColumnComboList(list_, 0, buffer, 6), 3)
        << "the entries, not characters";
    EXPECT_STREQ(buffer, L"one|t");
    EXPECT_EQ(RvListCtrl_GetItemText(list_, 7, 0, buffer, 8), 0);
    EXPECT_STREQ(buffer, L"");
    EXPECT_EQ(RvListCtrl_GetItemToolTip(list_, 0, 99, buffer, 8), 0);
    EXPECT_STREQ(buffer, L"");
}

TEST_F(ListTest, NewCellsTakeTheTemplateAndTheirColumnsAttributes) {
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"a", 40, -1, 0, FormatEdit, FlagRight), 1);
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"b", 40, -1, 0, FormatLink, FlagReadOnly), 1);
    ASSERT_EQ(RvListCtrl_AddItem(list_, L"text", 4, 0, 0), 0);
    ASSERT_EQ(RvListCtrl_AddItem(list_, L"own", -1, FormatCheck, FlagCentre | FlagLeft), 1);
    EXPECT_EQ(RvListCtrl_GetItemFormat(list_, 0, 0), FormatEdit);
    EXPECT_EQ(RvListCtrl_GetItemFlags(list_, 0, 0), static_cast<int>(FlagRight));
    EXPECT_EQ(RvListCtrl_GetItemFormat(list_, 0, 1), FormatLink);
    EXPECT_EQ(RvListCtrl_GetItemFlags(list_, 0, 1), static_cast<int>(FlagReadOnly));
    EXPECT_EQ(RvListCtrl_GetItemFormat(list_, 1, 1), FormatCheck) << "every cell of the item";
    EXPECT_EQ(RvListCtrl_GetItemFlags(list_, 1, 1), static_cast<int>(FlagCentre));
    EXPECT_EQ(RvListCtrl_GetItemImage(list_, 0, 0), 4) << "sub-item 0 gets the image";
    EXPECT_EQ(RvListCtrl_GetItemImage(list_, 0, 1), -1);
    EXPECT_EQ(RvListCtrl_GetItemFormat(list_, 0, 2), 0);
    EXPECT_EQ(RvListCtrl_SetItemImage(list_, 0, 1, 7), 1);
    EXPECT_EQ(RvListCtrl_GetItemImage(list_, 0, 1), 7);
    EXPECT_EQ(RvListCtrl_SetItemImage(list_, 0, 2, 7), 0);
    EXPECT_EQ(RvListCtrl_GetItemImage(list_, 2, 0), -1);

    // Colours: the list background, the item text and the cell border.
    uint32_t background = 0, text = 0, border = 0;
    ASSERT_EQ(RvListCtrl_GetItemColours(list_, 0, 0, &background, &text, &border), 1);
    EXPECT_EQ(background, GetSysColor(COLOR_BTNFACE)) << "the list shows the dialog's face";
    EXPECT_EQ(text, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(border, GetSysColor(COLOR_WINDOWTEXT));
    ASSERT_EQ(RvListCtrl_SetItemColours(list_, 0, 1, 0x112233, 0x445566, 0x778899), 1);
    ASSERT_EQ(RvListCtrl_GetItemColours(list_, 0, 1, &background, nullptr, &border), 1);
    EXPECT_EQ(background, 0x112233u);
    EXPECT_EQ(border, 0x778899u);
    EXPECT_EQ(RvListCtrl_GetItemColours(list_, 0, 5, &background, &text, &border), 0);
}

TEST_F(ListTest, DeletingItemsKeepsTheSelectionOnTheSameRows) {
    AddColumns(1);
    AddItems(6);
    RvListCtrl_SetSingleSelect(list_, 0);
    RvListCtrl_SelectItem(list_, 1, 0, 0);
    RvListCtrl_SelectItem(list_, 4, 0, MK_CONTROL);
    RvListCtrl_SelectItem(list_, 5, 0, MK_CONTROL);
    ASSERT_EQ(RvListCtrl_DeleteItem(list_, 4), 1);
    int32_t selected[8] = {};
    ASSERT_EQ(RvListCtrl_GetSelectedItems(list_, selected, 8), 2);
    EXPECT_EQ(selected[0], 1);
    EXPECT_EQ(selected[1], 4) << "row r5 moved down to 4 and stays selected";
    EXPECT_EQ(ItemText(list_, 4, 0), L"r5");
    EXPECT_EQ(RvListCtrl_DeleteItem(list_, 5), 0);
    EXPECT_EQ(RvListCtrl_GetItemCount(list_), 5);
    ASSERT_EQ(RvListCtrl_DeleteAllItems(list_), 1);
    EXPECT_EQ(RvListCtrl_GetItemCount(list_), 0);
    EXPECT_EQ(RvListCtrl_GetSelectedItems(list_, selected, 8), 0);
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 0);
}

} // namespace
} // namespace rvltest
