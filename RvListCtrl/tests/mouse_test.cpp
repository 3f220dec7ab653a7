// The mouse over a list, driven with the messages the system sends: clicks,
// header sorting, check cells, links, the rubber band, the right button and
// double clicks, with what the parent is told.
#include "list_fixture.h"

namespace rvltest {
namespace {

class Clicking : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        AddColumns(3);
        AddItems(8);
        notifications_.clear();
    }
};

TEST_F(Clicking, AClickSelectsTheRowAndTellsTheParentItsCell) {
    RvListCtrl_SetColumnWidth(list_, 0, 60);
    Click(CellCentre(2, 1));
    EXPECT_EQ(Selection(list_), std::vector<int>{2});
    ASSERT_EQ(Codes(), (std::vector<int>{ListSelected, ListLeftClick}));
    for (const Notification& n : Notifications()) {
        EXPECT_EQ(n.item, 2);
        EXPECT_EQ(n.column, 1);
        EXPECT_EQ(n.from, window_);
    }
    // Released below the rows: a left click on nothing.
    notifications_.clear();
    Click(POINT{20, kListHeight - 3});
    ASSERT_EQ(Codes(), std::vector<int>{ListLeftClick});
    EXPECT_EQ(Notifications()[0].item, -1);
    EXPECT_EQ(Notifications()[0].column, -1);
    EXPECT_EQ(GetCapture(), nullptr) << "the release lets the mouse go";
}

TEST_F(Clicking, ControlClickOnTheOnlySelectedItemDeselectsWithoutNotification) {
    Click(CellCentre(4, 0));
    notifications_.clear();
    Click(CellCentre(4, 0), MK_CONTROL);
    EXPECT_TRUE(Selection(list_).empty());
    EXPECT_EQ(Codes(), std::vector<int>{ListLeftClick}) << "no ListSelected";
}

TEST_F(Clicking, ShiftClickWithSingleSelectionActsAsControlClick) {
    Click(CellCentre(1, 0));
    Click(CellCentre(5, 0), MK_SHIFT);
    EXPECT_EQ(Selection(list_), std::vector<int>{5}) << "no range with single selection";
    Click(CellCentre(5, 0), MK_SHIFT);
    EXPECT_TRUE(Selection(list_).empty());

    RvListCtrl_SetSingleSelect(list_, 0);
    Click(CellCentre(1, 0));
    Click(CellCentre(4, 0), MK_SHIFT);
    EXPECT_EQ(Selection(list_), (std::vector<int>{1, 2, 3, 4}));
    Click(CellCentre(6, 0), MK_CONTROL);
    EXPECT_EQ(Selection(list_), (std::vector<int>{1, 2, 3, 4, 6}));
    // A plain press on one of several keeps them until the release, then only it.
    Mouse(WM_LBUTTONDOWN, CellCentre(3, 0));
    EXPECT_EQ(Selection(list_).size(), 5u);
    Mouse(WM_LBUTTONUP, CellCentre(3, 0));
    EXPECT_EQ(Selection(list_), std::vector<int>{3});
}

TEST_F(Clicking, TheSortColumnClickedTwiceSortsAscendingThenDescendingClearingTheSelection) {
    const wchar_t* names[] = {L"delta", L"alpha", L"echo", L"charlie", L"bravo"};
    RvListCtrl_DeleteAllItems(list_);
    for (const wchar_t* name : names)
        RvListCtrl_AddItem(list_, name, -1, 0, 0);
    const POINT header = HeaderPoint(40);
    RvListCtrl_SelectItem(list_, 2, 0, 0);
    Click(header);
    EXPECT_EQ(ItemText(list_, 0, 0), L"delta") << "sorting waits for the sort arrows";

    RvListCtrl_ShowHeaderSort(list_, 1);
    Click(header);
    EXPECT_EQ(ItemText(list_, 0, 0), L"alpha");
    EXPECT_EQ(ItemText(list_, 4, 0), L"echo");
    EXPECT_TRUE(Selection(list_).empty());
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 0);
    int32_t column = -1, ascending = -1;
    RvListCtrl_GetSortColumn(list_, &column, &ascending);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(ascending, 1);

    RvListCtrl_SelectItem(list_, 1, 0, 0);
    Click(header);
    EXPECT_EQ(ItemText(list_, 0, 0), L"echo");
    EXPECT_EQ(ItemText(list_, 4, 0), L"alpha");
    EXPECT_TRUE(Selection(list_).empty());
    RvListCtrl_GetSortColumn(list_, &column, &ascending);
    EXPECT_EQ(ascending, 0);
    for (const Notification& n : Notifications())
        EXPECT_NE(n.code, ListLeftClick) << "the header is not the rows";
}

TEST_F(Clicking, AThreeStateCellCyclesByClicksAndATwoStateOneToggles) {
    RvListCtrl_SetColumnFormat(list_, 1, FormatCheck3, FlagCentre);
    RvListCtrl_SetColumnFormat(list_, 2, FormatCheck, FlagCentre);
    RvListCtrl_SetItemCheck(list_, 3, 1, 0);
    RvListCtrl_SetItemCheck(list_, 3, 2, 0);
    std::vector<std::wstring> states;
    for (int i = 0; i < 3; ++i) {
        Click(CellCentre(3, 1));
        states.push_back(ItemText(list_, 3, 1));
    }
    EXPECT_EQ(states, (std::vector<std::wstring>{L"1", L"-1", L"0"}));
    int modified = 0;
    for (const Notification& n : Notifications()) {
        if (n.code != ListModified) continue;
        ++modified;
        EXPECT_EQ(n.item, 3);
        EXPECT_EQ(n.column, 1);
    }
    EXPECT_EQ(modified, 3);
    Click(CellCentre(3, 2));
    EXPECT_EQ(ItemText(list_, 3, 2), L"1");
    Click(CellCentre(3, 2));
    EXPECT_EQ(ItemText(list_, 3, 2), L"0");
    // Read-only cells keep their state.
    RvListCtrl_SetItemFormat(list_, 3, 2, FormatCheck, FlagReadOnly);
    notifications_.clear();
    Click(CellCentre(3, 2));
    EXPECT_EQ(ItemText(list_, 3, 2), L"0");
    for (const Notification& n : Notifications())
        EXPECT_NE(n.code, ListModified);
}

TEST_F(Clicking, ALinkCellTellsTheParentItWasClicked) {
    RvListCtrl_SetColumnFormat(list_, 2, FormatLink, 0);
    Click(CellCentre(6, 2));
    EXPECT_EQ(Codes(), (std::vector<int>{ListSelected, ListLinkClicked, ListLeftClick}));
    EXPECT_EQ(Notifications()[1].item, 6);
    EXPECT_EQ(Notifications()[1].column, 2);
    notifications_.clear();
    RvListCtrl_SetItemFormat(list_, 6, 2, FormatLink, FlagReadOnly);
    Click(CellCentre(6, 2));
    EXPECT_EQ(Codes(), std::vector<int>{ListLeftClick}) << "a read-only link is only text";
}

TEST_F(Clicking, ALinkCellUnderTheMouseIsDrawnAsALinkUntilTheMouseLeaves) {
    RvListCtrl_SetColumnFormat(list_, 2, FormatLink, 0);
    int32_t left, top, right, bottom;
    RvListCtrl_GetItemRect(list_, 5, 2, &left, &top, &right, &bottom);
    const RECT cell{left, top, right, bottom};
    const COLORREF link = RGB(0x00, 0x00, 0xC8); // 0xC80000 as a COLORREF
    EXPECT_EQ(Picture(window_).Count(cell, link), 0);
    Mouse(WM_MOUSEMOVE, CellCentre(5, 2));
    EXPECT_GT(Picture(window_).Count(cell, link), 0);
    Mouse(WM_MOUSEMOVE, CellCentre(5, 1));
    EXPECT_EQ(Picture(window_).Count(cell, link), 0) << "another cell";
    Mouse(WM_MOUSEMOVE, CellCentre(5, 2));
    SendMessageW(window_, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Picture(window_).Count(cell, link), 0) << "the mouse left";
    RvListCtrl_SetItemFormat(list_, 5, 2, FormatLink, FlagReadOnly);
    Mouse(WM_MOUSEMOVE, CellCentre(5, 2));
    EXPECT_EQ(Picture(window_).Count(cell, link), 0) << "read-only";
}

TEST_F(Clicking, ARubberBandSelectsTheRowsItTouches) {
    RvListCtrl_SetSingleSelect(list_, 0);
    const POINT from = CellCentre(3, 1), to = CellCentre(7, 0);
    Mouse(WM_LBUTTONDOWN, from);
    Mouse(WM_MOUSEMOVE, POINT{from.x + 2, from.y + 2}, MK_LBUTTON);
    EXPECT_EQ(Selection(list_), std::vector<int>{3}) << "3 pixels are not a band yet";
    Mouse(WM_MOUSEMOVE, to, MK_LBUTTON);
    EXPECT_EQ(Selection(list_), (std::vector<int>{3, 4, 5, 6, 7}));
    Mouse(WM_MOUSEMOVE, CellCentre(5, 0), MK_LBUTTON);
    EXPECT_EQ(Selection(list_), (std::vector<int>{3, 4, 5})) << "the band shrinks back";
    Mouse(WM_MOUSEMOVE, to, MK_LBUTTON);
    notifications_.clear();
    Mouse(WM_LBUTTONUP, to);
    EXPECT_EQ(Selection(list_), (std::vector<int>{3, 4, 5, 6, 7}));
    EXPECT_TRUE(Notifications().empty()) << "a band is no click";

    // Right of the columns a band selects nothing; with single selection there is none.
    const POINT outside{3 * 80 + 20, CellCentre(1, 0).y};
    Mouse(WM_LBUTTONDOWN, outside);
    Mouse(WM_MOUSEMOVE, POINT{outside.x + 30, CellCentre(4, 0).y}, MK_LBUTTON);
    EXPECT_TRUE(Selection(list_).empty());
    Mouse(WM_LBUTTONUP, outside);
    RvListCtrl_SetSingleSelect(list_, 1);
    Click(CellCentre(1, 0));
    Mouse(WM_LBUTTONDOWN, from);
    Mouse(WM_MOUSEMOVE, to, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, to);
    EXPECT_EQ(Selection(list_), std::vector<int>{3});
}

TEST_F(Clicking, ABandDraggedBelowTheRowsScrollsOnItsTimer) {
    AddItems(40);
    RvListCtrl_SetSingleSelect(list_, 0);
    const int last = RvListCtrl_GetCountPerPage(list_, 0) - 1;
    const POINT from = CellCentre(2, 0);
    Mouse(WM_LBUTTONDOWN, from);
    Mouse(WM_MOUSEMOVE, POINT{from.x, kListHeight + 30}, MK_LBUTTON);
    const std::vector<int> before = Selection(list_);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before.front(), 2);
    EXPECT_GE(before.back(), last);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 0);
    SendMessageW(window_, WM_TIMER, 1003, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 1) << "one row toward the mouse";
    EXPECT_EQ(Selection(list_).back(), before.back() + 1) << "and the band grows with it";
    Mouse(WM_LBUTTONUP, POINT{from.x, kListHeight + 30});
    SendMessageW(window_, WM_TIMER, 1003, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 1) << "the band has ended";
}

TEST_F(Clicking, ARightClickBelowTheRowsClearsTheSelection) {
    RvListCtrl_SetSingleSelect(list_, 0);
    RvListCtrl_SelectItem(list_, 1, 0, 0);
    RvListCtrl_SelectItem(list_, 4, 0, MK_SHIFT);
    notifications_.clear();
    // On a selected row the selection stays.
    Mouse(WM_RBUTTONDOWN, CellCentre(2, 1));
    Mouse(WM_RBUTTONUP, CellCentre(2, 1));
    EXPECT_EQ(Selection(list_).size(), 4u);
    ASSERT_EQ(Codes(), std::vector<int>{ListRightClick});
    EXPECT_EQ(Notifications()[0].item, 2);
    EXPECT_EQ(Notifications()[0].column, 1);
    // On an unselected row that row is selected.
    Mouse(WM_RBUTTONDOWN, CellCentre(6, 0));
    Mouse(WM_RBUTTONUP, CellCentre(6, 0));
    EXPECT_EQ(Selection(list_), std::vector<int>{6});
    notifications_.clear();
    const POINT below{20, kListHeight - 3};
    Mouse(WM_RBUTTONDOWN, below);
    Mouse(WM_RBUTTONUP, below);
    EXPECT_TRUE(Selection(list_).empty());
    EXPECT_EQ(RvListCtrl_GetFocusItem(list_), 0);
    ASSERT_EQ(Codes(), std::vector<int>{ListRightClick});
    EXPECT_EQ(Notifications()[0].item, -1);
}

TEST_F(Clicking, ADoubleClickOnADividerFitsTheColumnToItsContent) {
    RvListCtrl_SetItemText(list_, 5, 0, L"a rather longer text than the others in this column");
    const int before = RvListCtrl_GetColumnWidth(list_, 0);
    const POINT divider = HeaderPoint(before + 1);
    Mouse(WM_LBUTTONDOWN, divider);
    Mouse(WM_LBUTTONUP, divider);
    Mouse(WM_LBUTTONDBLCLK, divider);
    Mouse(WM_LBUTTONUP, divider);
    const int fitted = RvListCtrl_GetColumnWidth(list_, 0);
    EXPECT_GT(fitted, before);
    ASSERT_FALSE(Notifications().empty());
    EXPECT_EQ(Notifications().back().code, ListDoubleClick);
    EXPECT_EQ(Notifications().back().item, -1);
    // The fitted width is the auto size of the column.
    RvListCtrl_SetColumnWidth(list_, 0, 30);
    RvListCtrl_AutoSizeColumn(list_, 0);
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 0), fitted);

    notifications_.clear();
    Mouse(WM_LBUTTONDBLCLK, CellCentre(2, 1));
    Mouse(WM_LBUTTONUP, CellCentre(2, 1));
    EXPECT_EQ(Codes(), (std::vector<int>{ListSelected, ListDoubleClick, ListLeftClick}));
    EXPECT_EQ(Notifications()[1].item, 2);
    EXPECT_EQ(Notifications()[1].column, 1);
}

TEST_F(Clicking, DraggingADividerResizesTheColumn) {
    const POINT divider = HeaderPoint(80);
    Mouse(WM_LBUTTONDOWN, divider);
    POINT screen = divider;
    ClientToScreen(window_, &screen);
    // The resize follows the cursor on the screen, as the mouse moves it.
    SetCursorPos(screen.x + 25, screen.y);
    POINT now;
    GetCursorPos(&now);
    if (now.x != screen.x + 25) GTEST_SKIP() << "the display does not move the cursor";
    Mouse(WM_MOUSEMOVE, POINT{divider.x + 25, divider.y}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, POINT{divider.x + 25, divider.y});
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 0), 105);
    EXPECT_TRUE(Notifications().empty());
}

// A parent that empties the list's columns when told of a selection.
RvList g_listToEmpty = 0;
WNDPROC g_beforeEmptier = nullptr;
LRESULT CALLBACK EmptyingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && lParam &&
        static_cast<int>(reinterpret_cast<const NMHDR*>(lParam)->code) == ListSelected)
        RvListCtrl_DeleteAllColumns(g_listToEmpty);
    return CallWindowProcW(g_beforeEmptier, window, message, wParam, lParam);
}

TEST_F(Clicking, AParentChangingTheTableWhenToldOfASelectionEndsTheClick) {
    RvListCtrl_SetColumnFormat(list_, 2, FormatCheck, 0);
    RvListCtrl_SetItemCheck(list_, 4, 2, 0);
    g_listToEmpty = list_;
    g_beforeEmptier = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EmptyingProc)));
    Click(CellCentre(4, 2));
    EXPECT_EQ(RvListCtrl_GetColumnCount(list_), 0);
    EXPECT_EQ(ItemText(list_, 4, 2), L"0") << "no column left to toggle the cell in";
    SetWindowLongPtrW(dialog_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_beforeEmptier));
}

TEST_F(Clicking, CancelModeLetsTheMouseGo) {
    Mouse(WM_LBUTTONDOWN, HeaderPoint(40));
    EXPECT_EQ(GetCapture(), window_);
    SendMessageW(window_, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    RvListCtrl_ShowHeaderSort(list_, 1);
    Mouse(WM_LBUTTONUP, HeaderPoint(40));
    int32_t column = 5, ascending = 5;
    RvListCtrl_GetSortColumn(list_, &column, &ascending);
    EXPECT_EQ(column, -1) << "the pressed column was forgotten";
}

} // namespace
} // namespace rvltest
