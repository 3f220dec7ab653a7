// Keys on a list, sent as the system sends them: navigation, Shift and
// Control, focus-sub-item mode, and space on check cells.
#include "list_fixture.h"

namespace rvltest {
namespace {

class Keys : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        AddColumns(3);
        AddItems(40);
        // Exactly ten whole rows under the header, and part of an eleventh.
        ResizeList(kListWidth, ItemHeight() * 11 + ItemHeight() / 2);
        ASSERT_EQ(RvListCtrl_GetCountPerPage(list_, 0), 10);
        notifications_.clear();
    }
    int Current() const {
        const std::vector<int> s = Selection(list_);
        return s.size() == 1 ? s[0] : -100 - static_cast<int>(s.size());
    }
};

TEST_F(Keys, NavigationKeysMoveTheSelection) {
    struct Step {
        WPARAM key;
        int expected;
    };
    const Step steps[] = {
        {VK_DOWN, 0},  {VK_DOWN, 1},  {VK_UP, 0},   {VK_UP, 0},    {VK_NEXT, 9},  {VK_NEXT, 18},
        {VK_PRIOR, 9}, {VK_PRIOR, 0}, {VK_END, 39}, {VK_DOWN, 39}, {VK_NEXT, 39}, {VK_HOME, 0},
        {VK_TAB, 1},   {VK_TAB, 2},   {VK_END, 39}, {VK_TAB, 39},
    };
    for (const Step& step : steps) {
        Key(step.key);
        EXPECT_EQ(Current(), step.expected) << "key " << step.key;
        EXPECT_EQ(RvListCtrl_IsItemVisible(list_, step.expected, -1, 0), 1) << "key " << step.key;
    }
    ASSERT_FALSE(Notifications().empty());
    EXPECT_EQ(Notifications()[0].code, ListSelected);
    EXPECT_EQ(Notifications()[0].item, 0);
}

TEST_F(Keys, ShiftExtendsShiftTabGoesBackControlMovesOnlyTheFocus) {
    RvListCtrl_SetSingleSelect(list_, 0);
    RvListCtrl_SelectItem(list_, 5, 0, 0);
    {
        HeldKeys shift(true, false);
        Key(VK_DOWN);
        Key(VK_DOWN);
    }
    EXPECT_EQ(Selection(list_), (std::vector<int>{5, 6, 7}));
    {
        HeldKeys control(false, true);
        Key(VK_DOWN);
        Key(VK_TAB); // ignored with Control
    }
    EXPECT_EQ(Selection(list_), (std::vector<int>{5, 6, 7})) << "Control moves only the focus";
    {
        HeldKeys shift(true, false);
        Key(VK_TAB); // Shift+Tab goes one item back and selects it alone
    }
    // From the first selected item: the focus item (8) is not selected.
    EXPECT_EQ(Selection(list_), std::vector<int>{4});
    RvListCtrl_SetSingleSelect(list_, 1);
    RvListCtrl_SelectItem(list_, 20, 0, 0);
    {
        HeldKeys control(false, true);
        Key(VK_END);
    }
    EXPECT_EQ(Selection(list_), std::vector<int>{20});
    EXPECT_EQ(RvListCtrl_IsItemVisible(list_, 39, -1, 0), 1) << "the focus was made visible";
}

TEST_F(Keys, FocusSubItemModeMovesCellByCell) {
    RvListCtrl_SetFocusSubItem(list_, 1);
    RvListCtrl_SelectItem(list_, 4, 0, 0);
    notifications_.clear();
    Key(VK_RIGHT);
    Key(VK_TAB);
    Key(VK_TAB); // stays in the last column
    Key(VK_DOWN);
    Key(VK_LEFT);
    EXPECT_EQ(Current(), 5);
    ASSERT_FALSE(Notifications().empty());
    EXPECT_EQ(Notifications().back().code, ListSelected) << "a new item";
    EXPECT_EQ(Notifications().back().item, 5);
    EXPECT_EQ(Notifications().back().column, 2) << "Down keeps the column";
    {
        HeldKeys shift(true, false);
        Key(VK_TAB);
        Key(VK_TAB);
        Key(VK_TAB);
    }
    Key(VK_UP);
    EXPECT_EQ(Notifications().back().item, 4);
    EXPECT_EQ(Notifications().back().column, 0) << "Shift+Tab stops at the first column";
}

TEST_F(Keys, LeftAndRightScrollWithoutFocusSubItemMode) {
    RvListCtrl_SetColumnWidth(list_, 1, 600);
    int32_t left = 0;
    RvListCtrl_GetColumnRect(list_, 0, &left, nullptr, nullptr, nullptr);
    ASSERT_EQ(left, 0);
    Key(VK_RIGHT);
    RvListCtrl_GetColumnRect(list_, 0, &left, nullptr, nullptr, nullptr);
    EXPECT_EQ(left, -5);
    {
        HeldKeys control(false, true);
        Key(VK_RIGHT);
    }
    RvListCtrl_GetColumnRect(list_, 0, &left, nullptr, nullptr, nullptr);
    EXPECT_EQ(left, -55);
    Key(VK_LEFT);
    {
        HeldKeys control(false, true);
        Key(VK_LEFT);
    }
    RvListCtrl_GetColumnRect(list_, 0, &left, nullptr, nullptr, nullptr);
    EXPECT_EQ(left, 0) << "not beyond the left end";
    EXPECT_TRUE(Selection(list_).empty());
}

TEST_F(Keys, SpaceCyclesACheckCell) {
    RvListCtrl_SetColumnFormat(list_, 0, FormatCheck3, 0);
    RvListCtrl_SetItemCheck(list_, 2, 0, 0);
    RvListCtrl_SelectItem(list_, 2, 0, 0);
    notifications_.clear();
    std::vector<std::wstring> states;
    for (int i = 0; i < 3; ++i) {
        Key(VK_SPACE);
        states.push_back(ItemText(list_, 2, 0));
    }
    EXPECT_EQ(states, (std::vector<std::wstring>{L"1", L"-1", L"0"}));
    ASSERT_EQ(Codes(), (std::vector<int>{ListModified, ListModified, ListModified}));
    EXPECT_EQ(Notifications()[0].item, 2);
    EXPECT_EQ(Notifications()[0].column, 0);
    // In focus-sub-item mode space works on the focus cell.
    RvListCtrl_SetColumnFormat(list_, 2, FormatCheck, 0);
    RvListCtrl_SetItemCheck(list_, 2, 2, 1);
    RvListCtrl_SetFocusSubItem(list_, 1);
    RvListCtrl_SelectItem(list_, 2, 2, 0);
    Key(VK_SPACE);
    EXPECT_EQ(ItemText(list_, 2, 2), L"0");
    EXPECT_EQ(ItemText(list_, 2, 0), L"0");
    // Text cells ignore it.
    RvListCtrl_SelectItem(list_, 2, 1, 0);
    notifications_.clear();
    Key(VK_SPACE);
    EXPECT_TRUE(Notifications().empty());
}

} // namespace
} // namespace rvltest
