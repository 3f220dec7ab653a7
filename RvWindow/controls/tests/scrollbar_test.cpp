// The scroll bar that binds to the numeric edit created just before it.
#include "control_fixture.h"

namespace rvwtest {
namespace {

// What the scroll bar sends its dialog when the user moves it.
void UserScrolls(HWND dialog, HWND bar, int code, int thumb = 0) {
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(bar));
}

TEST_F(BuilderDialog, AScrollBarAfterANumericEditDrivesItFromTheSameRow) {
    HWND edit = Add(L"gain", L"RvLsEdit", 0, 0, 50);
    HWND bar = Add(L"gainBar", L"RvLsScrollbar", SBS_HORZ, 52, 100);
    EXPECT_EQ(Rect(L"gain").top, Rect(L"gainBar").top) << "one row, despite option 1";
    const SCROLLINFO info = ScrollInfoOf(bar);
    EXPECT_EQ(info.nMax, 100 / 1 + 1) << "the edit's default 100 steps";
    UserScrolls(dialog_, bar, SB_LINEDOWN);
    UserScrolls(dialog_, bar, SB_LINEDOWN);
    EXPECT_DOUBLE_EQ(RvLsEdit_GetValue(HandleOf(edit)), 2);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 2);
    EXPECT_EQ(TextOf(edit), L"2");
    RvLsEdit_SetValue(HandleOf(edit), 40);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 40) << "the edit moves its scroll bar";
    RvLsEdit_SetFlags(HandleOf(edit), 1);
    RvLsEdit_SetValue(HandleOf(edit), 40);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 60) << "reversed: counted from the far end";
}

TEST_F(BuilderDialog, AVerticalScrollBarDrivesItsEditToo) {
    HWND edit = Add(L"value", L"RvLsEdit", 0, 0, 50);
    HWND bar = Add(L"bar", L"RvLsScrollbar", SBS_VERT, 52, 14);
    SendMessageW(dialog_, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_DOUBLE_EQ(RvLsEdit_GetValue(HandleOf(edit)), 1);
    SendMessageW(edit, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_DOUBLE_EQ(RvLsEdit_GetValue(HandleOf(edit)), 1) << "the edit's own vertical scrolling";
}

TEST_F(BuilderDialog, AScrollBarAfterAnotherControlBindsToNothing) {
    HWND edit = Add(L"value", L"RvLsEdit", 0, 0, 50);
    Add(L"label", L"static", 0, 0, 50);
    HWND bar = Add(L"bar", L"RvLsScrollbar", SBS_HORZ, 52, 100);
    ASSERT_EQ(RvDialog_AddMessageHandler(handle_, nullptr, WM_HSCROLL, WM_HSCROLL, 0, 0, 0, 0,
                                         LogHandler, L"dialog"),
              0);
    UserScrolls(dialog_, bar, SB_LINEDOWN);
    EXPECT_DOUBLE_EQ(RvLsEdit_GetValue(HandleOf(edit)), 0) << "no edit was reached";
    EXPECT_EQ(HandlerLog().Count(WM_HSCROLL), 1u) << "the dialog's own handler gets it";
    HWND second = Add(L"second", L"RvLsScrollbar", SBS_HORZ, 0, 100);
    UserScrolls(dialog_, second, SB_LINEDOWN);
    EXPECT_DOUBLE_EQ(RvLsEdit_GetValue(HandleOf(edit)), 0) << "nor after a scroll bar";
}

TEST_F(BuilderDialog, AScrollBarOutlivingItsEditForwardsNothing) {
    HWND edit = Add(L"value", L"RvLsEdit", 0, 0, 50);
    HWND bar = Add(L"bar", L"RvLsScrollbar", SBS_HORZ, 52, 100);
    ASSERT_EQ(RvDialog_DestroyControl(handle_, L"value"), 0);
    EXPECT_FALSE(IsWindow(edit));
    HWND other = CreateWindowExW(0, L"edit", L"", WS_CHILD, 0, 0, 10, 10, dialog_, nullptr, nullptr,
                                 nullptr);
    UserScrolls(dialog_, bar, SB_LINEDOWN);
    EXPECT_EQ(TextOf(other), L"");
    DestroyWindow(bar);
    UserScrolls(dialog_, bar, SB_LINEDOWN);
}

} // namespace
} // namespace rvwtest
