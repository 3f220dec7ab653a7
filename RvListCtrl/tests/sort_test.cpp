// Sorting: ordinal, whole items, descending by reversal, and the sort state.
#include "list_fixture.h"

#include <algorithm>
#include <random>

namespace rvltest {
namespace {

bool Ordinal(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return static_cast<uint16_t>(x) < static_cast<uint16_t>(y); });
}

TEST_F(ListTest, SortsAThousandRandomTextsAsAnOrdinalSortDoes) {
    AddColumns(2);
    std::mt19937 random(1234);
    const wchar_t alphabet[] = L"aAbBzZ09 _\u00e9\u4e2d\uffee";
    std::vector<std::wstring> keys;
    for (int i = 0; i < 1000; ++i) {
        std::wstring key;
        const int length = static_cast<int>(random() % 9);
        for (int j = 0; j < length; ++j)
            key += alphabet[random() % (sizeof alphabet / sizeof alphabet[0] - 1)];
        key += std::to_wstring(i); // distinct keys
        keys.push_back(key);
        ASSERT_EQ(RvListCtrl_AddItem(list_, L"row", -1, 0, 0), i);
        RvListCtrl_SetItemText(list_, i, 1, key.c_str());
        RvListCtrl_SetItemText(list_, i, 0, std::to_wstring(i).c_str());
    }
    ASSERT_EQ(RvListCtrl_SortItems(list_, 1), 1);
    std::vector<std::wstring> expected = keys;
    std::sort(expected.begin(), expected.end(), Ordinal);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(ItemText(list_, i, 1), expected[static_cast<size_t>(i)]) << i;
        // The whole item moved: its other cell still belongs to its key.
        const int original = std::stoi(ItemText(list_, i, 0));
        ASSERT_EQ(keys[static_cast<size_t>(original)], expected[static_cast<size_t>(i)]);
    }
    ASSERT_EQ(RvListCtrl_ReverseItems(list_), 1);
    EXPECT_EQ(ItemText(list_, 0, 1), expected.back());
    EXPECT_EQ(ItemText(list_, 999, 1), expected.front());
}

TEST_F(ListTest, SortingHandlesRunsOfEqualAndOrderedKeys) {
    AddColumns(1);
    const int n = 300;
    for (int i = 0; i < n; ++i) // ascending, then equal, then descending runs
        RvListCtrl_AddItem(list_,
                           (i < 100   ? std::to_wstring(1000 + i)
                            : i < 200 ? std::wstring(L"5")
                                      : std::to_wstring(9999 - i))
                               .c_str(),
                           -1, 0, 0);
    ASSERT_EQ(RvListCtrl_SortItems(list_, 0), 1);
    for (int i = 1; i < n; ++i)
        ASSERT_FALSE(Ordinal(ItemText(list_, i, 0), ItemText(list_, i - 1, 0))) << i;
    EXPECT_EQ(RvListCtrl_SortItems(list_, 4), 0) << "no column has that index";
}

TEST_F(ListTest, SortColumnNeedsTheSortArrowsAndReversesOnTheSecondCall) {
    AddColumns(2);
    for (const wchar_t* t : {L"b", L"c", L"a"})
        RvListCtrl_AddItem(list_, t, -1, 0, 0);
    int32_t column = 7, ascending = 7;
    EXPECT_EQ(RvListCtrl_SortColumn(list_, 0), 0) << "the arrows are off after attach";
    ASSERT_EQ(RvListCtrl_GetSortColumn(list_, &column, &ascending), 1);
    EXPECT_EQ(column, -1);
    RvListCtrl_ShowHeaderSort(list_, 1);
    RvListCtrl_SelectItem(list_, 1, 0, 0);
    ASSERT_EQ(RvListCtrl_SortColumn(list_, 0), 1);
    EXPECT_EQ(ItemText(list_, 0, 0), L"a");
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 0) << "the selection is cleared";
    ASSERT_EQ(RvListCtrl_GetSortColumn(list_, &column, &ascending), 1);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(ascending, 1);
    RvListCtrl_SelectItem(list_, 1, 0, 0);
    ASSERT_EQ(RvListCtrl_SortColumn(list_, 0), 1);
    EXPECT_EQ(ItemText(list_, 0, 0), L"c");
    EXPECT_EQ(ItemText(list_, 2, 0), L"a");
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 0);
    ASSERT_EQ(RvListCtrl_GetSortColumn(list_, &column, &ascending), 1);
    EXPECT_EQ(ascending, 0);
    EXPECT_EQ(RvListCtrl_SortColumn(list_, 2), 0);
    RvListCtrl_ShowHeader(list_, 0);
    EXPECT_EQ(RvListCtrl_SortColumn(list_, 0), 0);
    ASSERT_EQ(RvListCtrl_GetSortColumn(list_, &column, &ascending), 1);
    EXPECT_EQ(column, -1) << "without the header nothing counts as sorted";
}

} // namespace
} // namespace rvltest
