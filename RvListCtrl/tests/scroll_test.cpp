// Scroll ranges, bar and wheel scrolling, smooth scrolling and hit tests.
#include "list_fixture.h"

namespace rvltest {
namespace {

class Scrolling : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        AddColumns(3, 60);
        item_ = ItemHeight();
    }
    // Client height for exactly `rows` rows below the header.
    void FitRows(int rows) { ResizeList(kListWidth, item_ * (rows + 1)); }
    // Whether the smooth-scrolling timer is still running (the probe keeps it).
    bool SmoothTimerRuns() {
        if (!KillTimer(window_, 1004)) return false;
        SetTimer(window_, 1004, 20, nullptr);
        return true;
    }
    // Ticks of the smooth-scrolling timer until the animation ends.
    int TicksUntilStill() {
        int ticks = 0;
        while (SmoothTimerRuns() && ticks < 100) {
            SendMessageW(window_, WM_TIMER, 1004, 0);
            ++ticks;
        }
        return ticks;
    }
    int item_ = 0;
};

TEST_F(Scrolling, TheVerticalBarShowsWhenTheRowsExactlyFillThePage) {
    FitRows(10);
    AddItems(9);
    EXPECT_EQ(RvListCtrl_IsScrollBarVisible(list_, 1), 0);
    EXPECT_EQ(RvListCtrl_GetCountPerPage(list_, 0), 10);
    AddItems(1);
    EXPECT_EQ(RvListCtrl_IsScrollBarVisible(list_, 1), 1) << "ten rows fill ten rows of page";
    EXPECT_TRUE(GetWindowLongPtrW(window_, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(RvListCtrl_IsScrollBarVisible(list_, 0), 0);
    EXPECT_EQ(RvListCtrl_ShowScrollBar(list_, 1, 0), 1);
    EXPECT_EQ(RvListCtrl_IsScrollBarVisible(list_, 1), 0) << "suppressed";
    EXPECT_FALSE(GetWindowLongPtrW(window_, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(RvListCtrl_ShowScrollBar(list_, 7, 1), 0);
}

TEST_F(Scrolling, TheHorizontalBarShowsForColumnsWiderThanTheList) {
    EXPECT_EQ(RvListCtrl_IsScrollBarVisible(list_, 0), 0);
    RvListCtrl_AddColumn(list_, L"wide", kListWidth, -1, 0, 0, 0);
    EXPECT_EQ(RvListCtrl_IsScrollBarVisible(list_, 0), 1);
    EXPECT_EQ(RvListCtrl_GetTotalWidth(list_), 3 * 60 + kListWidth - 1);
    SendMessageW(window_, WM_HSCROLL, SB_LINERIGHT, 0);
    int32_t left = 0;
    RvListCtrl_GetColumnRect(list_, 1, &left, nullptr, nullptr, nullptr);
    EXPECT_EQ(left, 60 - 5) << "a line is 5 pixels";
    SendMessageW(window_, WM_HSCROLL, SB_LEFT, 0);
    RvListCtrl_GetColumnRect(list_, 1, &left, nullptr, nullptr, nullptr);
    EXPECT_EQ(left, 60);
}

TEST_F(Scrolling, AWheelNotchMovesByTheWheelLines) {
    AddItems(50);
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SendMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), static_cast<int>(lines));
    SendMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 0) << "not above the top";
}

TEST_F(Scrolling, BarCommandsMoveByLinesPagesAndToTheEnds) {
    FitRows(10);
    AddItems(50);
    RvListCtrl_SetSmoothScroll(list_, 0);
    SendMessageW(window_, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 1);
    SendMessageW(window_, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 11);
    SendMessageW(window_, WM_VSCROLL, SB_PAGEUP, 0);
    SendMessageW(window_, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 0);
    SendMessageW(window_, WM_VSCROLL, SB_BOTTOM, 0);
    const int bottom = RvListCtrl_GetTopItem(list_);
    EXPECT_GE(bottom, 50 - 10);
    EXPECT_EQ(RvListCtrl_IsItemVisible(list_, 49, -1, 0), 1);
    SendMessageW(window_, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 0);
    int32_t top = -1;
    EXPECT_EQ(RvListCtrl_GetItemRect(list_, 3, -1, nullptr, &top, nullptr, nullptr), 1);
    EXPECT_EQ(top, 4 * item_) << "three rows and the header above it";
    EXPECT_EQ(RvListCtrl_GetItemRect(list_, 30, -1, nullptr, &top, nullptr, nullptr), 0);
    EXPECT_EQ(RvListCtrl_ResetScrollBars(list_, 1, 5 * item_, 0), 1);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 5);
}

TEST_F(Scrolling, SmoothScrollingTakesFourToEightSteps) {
    FitRows(20);
    AddItems(100);
    SendMessageW(window_, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 1) << "the position moves at once";
    EXPECT_EQ(TicksUntilStill(), 4) << "one row";
    SendMessageW(window_, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(SmoothTimerRuns()) << "no second animation before SB_ENDSCROLL";
    SendMessageW(window_, WM_VSCROLL, SB_ENDSCROLL, 0);
    SendMessageW(window_, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 22);
    EXPECT_EQ(TicksUntilStill(), 8) << "twenty rows";
    SendMessageW(window_, WM_VSCROLL, SB_ENDSCROLL, 0);
    RvListCtrl_SetSmoothScroll(list_, 0);
    SendMessageW(window_, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_FALSE(SmoothTimerRuns());
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 21);
}

TEST_F(Scrolling, HeaderHitsAroundADivider) {
    const struct {
        int x, y;
        int result, column, where;
    } cases[] = {
        {30, 5, 1, 0, 0}, // inside column 0
        {60 - 5, 5, 1, 0, RVLIST_HIT_DIVIDER | RVLIST_HIT_DIVIDER_LEFT},
        {60 + 3, 5, 1, 0, RVLIST_HIT_DIVIDER | RVLIST_HIT_DIVIDER_HIDDEN}, // two columns follow
        {60 + 6, 5, 1, 1, 0},                                              // column 1
        {120 + 3, 5, 1, 1, RVLIST_HIT_DIVIDER | RVLIST_HIT_DIVIDER_LEFT},  // one column follows
        {180 + 3, 5, 1, 2, RVLIST_HIT_DIVIDER | RVLIST_HIT_DIVIDER_LEFT},
        {180 + 10, 5, 0, -1, -1}, // right of every column
        {30, -1, 0, -1, -1},
        {30, 200, 0, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        int32_t column = -1, where = -1;
        EXPECT_EQ(RvListCtrl_HitTestHeader(list_, c.x, c.y, &column, &where), c.result);
        EXPECT_EQ(column, c.column);
        EXPECT_EQ(where, c.where);
    }
    // A hidden column right of a divider is the one pulled open.
    RvListCtrl_AddColumn(list_, L"", 0, -1, 0, 0, 0);
    RvListCtrl_SetColumnWidth(list_, 1, 0);
    int32_t column = -1, where = -1;
    ASSERT_EQ(RvListCtrl_HitTestHeader(list_, 60 + 2, 5, &column, &where), 1);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(where, static_cast<int>(RVLIST_HIT_DIVIDER | RVLIST_HIT_DIVIDER_HIDDEN));
    RvListCtrl_ShowHeader(list_, 0);
    EXPECT_EQ(RvListCtrl_HitTestHeader(list_, 30, 5, &column, &where), 0);
}

TEST_F(Scrolling, FocusSubItemModeBringsTheColumnIntoView) {
    RvListCtrl_AddColumn(list_, L"far", 200, -1, 0, 0, 0);     // 180 .. 380
    RvListCtrl_AddColumn(list_, L"farther", 150, -1, 0, 0, 0); // 380 .. 530
    AddItems(3);
    ASSERT_EQ(RvListCtrl_IsScrollBarVisible(list_, 0), 1);
    EXPECT_EQ(RvListCtrl_IsItemVisible(list_, 1, 4, 0), 1) << "columns count only in the mode";
    RvListCtrl_SetFocusSubItem(list_, 1);
    EXPECT_EQ(RvListCtrl_IsItemVisible(list_, 1, 4, 0), 0);
    EXPECT_EQ(RvListCtrl_IsItemVisible(list_, 1, 3, 0), 1);
    ASSERT_EQ(RvListCtrl_EnsureItemVisible(list_, 1, 4), 1);
    int32_t left = 0, right = 0;
    RvListCtrl_GetColumnRect(list_, 4, &left, nullptr, &right, nullptr);
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(right, client.right) << "scrolled by the overhang of its right edge";
    ASSERT_EQ(RvListCtrl_EnsureItemVisible(list_, 1, 0), 1);
    RvListCtrl_GetColumnRect(list_, 0, &left, nullptr, nullptr, nullptr);
    EXPECT_EQ(left, 0) << "a column left of the view: scrolled to its left edge";
}

TEST_F(Scrolling, ANegativePositionKeepsThePosition) {
    FitRows(5);
    AddItems(30);
    RvListCtrl_ResetScrollBars(list_, 1, 4 * item_, 0);
    ASSERT_EQ(RvListCtrl_GetTopItem(list_), 4);
    RvListCtrl_ResetScrollBars(list_, 1, -1, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 4);
    RvListCtrl_ResetScrollBars(list_, 2, 0, 0);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 4) << "bar 2 is no bar";
    RvListCtrl_DeleteAllItems(list_);
    EXPECT_EQ(RvListCtrl_GetTopItem(list_), 0) << "the range shrank under the position";
}

TEST_F(Scrolling, PagesAndTotals) {
    FitRows(10);
    EXPECT_EQ(RvListCtrl_GetCountPerPage(list_, 0), 10);
    ResizeList(kListWidth, item_ * 11 + item_ / 2);
    EXPECT_EQ(RvListCtrl_GetCountPerPage(list_, 0), 10);
    EXPECT_EQ(RvListCtrl_GetCountPerPage(list_, 1), 11) << "a partly shown row";
    ResizeList(kListWidth, 3);
    EXPECT_EQ(RvListCtrl_GetCountPerPage(list_, 0), 1) << "never less than one";
    AddItems(7);
    EXPECT_EQ(RvListCtrl_GetTotalHeight(list_), 8 * item_);
    RvListCtrl_ShowHeader(list_, 0);
    EXPECT_EQ(RvListCtrl_GetTotalHeight(list_), 7 * item_);
    RvListCtrl_DeleteAllItems(list_);
    EXPECT_EQ(RvListCtrl_GetTotalHeight(list_), 1) << "at least 1";
}

} // namespace
} // namespace rvltest
