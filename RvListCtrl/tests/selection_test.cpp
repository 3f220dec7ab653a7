// The selection rules of RvListCtrl_SelectItem and what the parent is told.
#include "list_fixture.h"

namespace rvltest {
namespace {

class Selecting : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        AddColumns(3);
        AddItems(8);
        notifications_.clear();
    }
};

TEST_F(Selecting, CapacityLimitsTheCopyToTheLowestNumbers) {
    RvListCtrl_SetSingleSelect(list_, 0);
    RvListCtrl_SelectItem(list_, 6, 0, 0);
    RvListCtrl_SelectItem(list_, 2, 0, MK_SHIFT);
    ASSERT_EQ(Selection(list_), (std::vector<int>{2, 3, 4, 5, 6}));
    int32_t two[3] = {-7, -7, -7};
    EXPECT_EQ(RvListCtrl_GetSelectedItems(list_, two, 2), 2);
    EXPECT_EQ(two[0], 2);
    EXPECT_EQ(two[1], 3);
    EXPECT_EQ(two[2], -7);
}

TEST_F(Selecting, PlainSelectionReplacesAndNotifies) {
    EXPECT_EQ(RvListCtrl_SelectItem(list_, 3, 1, 0), 1);
    EXPECT_EQ(RvListCtrl_SelectItem(list_, 5, 2, 0), 1);
    EXPECT_EQ(Selection(list_), std::vector<int>{5});
    ASSERT_EQ(Notifications().size(), 2u);
    EXPECT_EQ(Notifications()[1].code, ListSelected);
    EXPECT_EQ(Notifications()[1].item, 5);
    EXPECT_EQ(Notifications()[1].column, 2) << "the column index";
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 1);
    // The only selected item again: focus only, no notification.
    EXPECT_EQ(RvListCtrl_SelectItem(list_, 5, 0, 0), 1);
    EXPECT_EQ(Notifications().size(), 2u);
    EXPECT_EQ(RvListCtrl_SelectItem(list_, 8, 0, 0), 0);
    EXPECT_EQ(RvListCtrl_SelectItem(list_, -1, 0, 0), 0);
    EXPECT_EQ(Selection(list_), std::vector<int>{5});
}

TEST_F(Selecting, TheRecordNamesTheListAndItsControlNumber) {
    RvListCtrl_SelectItem(list_, 2, -1, 0);
    ASSERT_EQ(Notifications().size(), 1u);
    const Notification n = Notifications()[0];
    EXPECT_EQ(n.from, window_);
    EXPECT_EQ(n.id, static_cast<UINT_PTR>(GetDlgCtrlID(window_)));
    EXPECT_EQ(n.wParam, n.id);
    EXPECT_EQ(n.column, -1);
}

int g_handled = 0;
INT_PTR CountSelection(HWND, UINT, WPARAM, LPARAM, const wchar_t*) {
    ++g_handled;
    return 0;
}

TEST_F(Selecting, BuilderHandlersMatchTheNotificationsItemAndColumn) {
    // Code, item and column index: what a macro registers for one cell.
    ASSERT_EQ(RvDialog_AddControlMessageHandler(dialogHandle_, L"list", WM_NOTIFY, 0,
                                                static_cast<uint32_t>(ListSelected), 4, 2,
                                                CountSelection, L"cell 4, 2"),
              0);
    g_handled = 0;
    RvListCtrl_SelectItem(list_, 4, 1, 0);
    EXPECT_EQ(g_handled, 0) << "another column";
    RvListCtrl_SelectItem(list_, 3, 2, 0);
    EXPECT_EQ(g_handled, 0) << "another item";
    RvListCtrl_SelectItem(list_, 4, 2, 0);
    EXPECT_EQ(g_handled, 1);
    RvListCtrl_SelectItem(list_, 4, 2, 0); // the only selected item: no notification
    EXPECT_EQ(g_handled, 1);
}

TEST_F(Selecting, ControlOnTheOnlySelectedItemDeselectsWithoutNotification) {
    RvListCtrl_SelectItem(list_, 4, 0, 0);
    notifications_.clear();
    EXPECT_EQ(RvListCtrl_SelectItem(list_, 4, 0, MK_CONTROL), 1);
    EXPECT_TRUE(Selection(list_).empty());
    EXPECT_TRUE(Notifications().empty());
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 0);
}

TEST_F(Selecting, ShiftWithSingleSelectionActsAsControl) {
    RvListCtrl_SelectItem(list_, 2, 0, 0);
    RvListCtrl_SelectItem(list_, 6, 0, MK_SHIFT);
    EXPECT_EQ(Selection(list_), std::vector<int>{6});
    RvListCtrl_SelectItem(list_, 6, 0, MK_SHIFT);
    EXPECT_TRUE(Selection(list_).empty());
}

TEST_F(Selecting, RangesAndTogglesWithMultipleSelection) {
    RvListCtrl_SetSingleSelect(list_, 0);
    RvListCtrl_SelectItem(list_, 1, 0, 0);
    RvListCtrl_SelectItem(list_, 3, 0, MK_SHIFT);
    EXPECT_EQ(Selection(list_), (std::vector<int>{1, 2, 3}));
    RvListCtrl_SelectItem(list_, 6, 0, MK_CONTROL);
    EXPECT_EQ(Selection(list_), (std::vector<int>{1, 2, 3, 6}));
    RvListCtrl_SelectItem(list_, 2, 0, MK_CONTROL);
    EXPECT_EQ(Selection(list_), (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(RvListCtrl_IsSelected(list_, 3), 1);
    EXPECT_EQ(RvListCtrl_IsSelected(list_, 2), 0);
    // A plain click on one of several selected items keeps only it.
    RvListCtrl_SelectItem(list_, 3, 0, 0);
    EXPECT_EQ(Selection(list_), std::vector<int>{3});
    EXPECT_EQ(RvListCtrl_ResetSelected(list_), 1);
    EXPECT_TRUE(Selection(list_).empty());
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 0);
    // Without an anchor a range starts at the item itself.
    RvListCtrl_SelectItem(list_, 5, 0, MK_SHIFT);
    EXPECT_EQ(Selection(list_), std::vector<int>{5});
}

TEST_F(Selecting, ASelectionOffThePageScrollsNothingButFocusItemDoes) {
    AddItems(40);
    const int perPage = RvListCtrl_GetCountPerPage(list_, 0);
    ASSERT_LT(perPage, 30);
    EXPECT_EQ(RvListCtrl_IsItemVisible(list_, 30, -1, 0), 0);
    ASSERT_EQ(RvListCtrl_SetFocusItem(list_, 30, 0), 1);
    EXPECT_EQ(RvListCtrl_IsItemVisible(list_, 30, -1, 0), 1);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 30 - perPage + 1) << "the last full row";
    ASSERT_EQ(RvListCtrl_EnsureItemVisible(list_, 2, -1), 1);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 2) << "the top row";
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 0) << "the focus item is not selected";
}

} // namespace
} // namespace rvltest
