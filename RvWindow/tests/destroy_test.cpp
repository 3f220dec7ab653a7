// Destroying controls one by one or all at once.
#include "builder_fixture.h"
#include "message_pump.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace rvwtest {
namespace {

using Tags = std::vector<std::wstring>;

class ThreeButtons : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        a_ = Add(L"a", L"button");
        b_ = Add(L"b", L"button");
        c_ = Add(L"c", L"button");
    }
    HWND a_ = nullptr, b_ = nullptr, c_ = nullptr;
};

TEST_F(ThreeButtons, DestroyingTheMiddleRenumbersTheLastAndKeepsItsHandler) {
    RvDialog_AddControlMessageHandler(handle_, L"b", WM_COMMAND, BN_CLICKED, 0, 0, 0, LogHandler,
                                      L"b clicked");
    RvDialog_AddControlMessageHandler(handle_, L"c", WM_COMMAND, BN_CLICKED, 0, 0, 0, LogHandler,
                                      L"c clicked");
    RvDialog_AddMessageHandler(handle_, b_, WM_APP, WM_APP, 0, 0, 0, 0, LogHandler, L"bound to b");
    const RECT aBefore = Rect(L"a"), cBefore = Rect(L"c");

    EXPECT_EQ(RvDialog_DestroyControl(handle_, L"b"), 0);
    EXPECT_FALSE(IsWindow(b_));
    EXPECT_EQ(GetDlgCtrlID(a_), 0);
    EXPECT_EQ(GetDlgCtrlID(c_), 1);
    EXPECT_EQ(Find(L"b"), nullptr);
    EXPECT_EQ(Find(L"c"), c_);

    SendMessageW(c_, BM_CLICK, 0, 0);
    SendMessageW(dialog_, WM_APP, 0, 0);
    EXPECT_EQ(HandlerLog().Tags(WM_COMMAND), (Tags{L"c clicked"}));
    EXPECT_EQ(HandlerLog().Count(WM_APP), 0u) << "handlers bound to b went with it";

    // The others stay where they were.
    EXPECT_EQ(Rect(L"a").top, aBefore.top);
    EXPECT_EQ(Rect(L"c").top, cBefore.top);
    EXPECT_EQ(RvDialog_DestroyControl(handle_, L"b"), -1) << "b is unknown now";
}

TEST_F(ThreeButtons, NotifyHandlersFollowTheirControlsIndex) {
    RvDialog_AddMessageHandler(handle_, nullptr, WM_NOTIFY, WM_NOTIFY, 2, 0, 0, 0, LogHandler,
                               L"notify from 2");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_COMMAND, WM_COMMAND, 0x00070002, ~uint64_t{0},
                               0, 0, LogHandler, L"code 7 from 2");
    RvDialog_DestroyControl(handle_, L"a");
    // Control c is now number 1, and so are the handlers that named number 2.
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(1, 7), 0);
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(2, 7), 0);
    EXPECT_EQ(HandlerLog().Tags(WM_COMMAND), (Tags{L"code 7 from 2"}));
    EXPECT_EQ(HandlerLog().entries()[0].wParam, MAKEWPARAM(1, 7));
}

TEST_F(ThreeButtons, NamesThatAreEmptyOrUnknown) {
    EXPECT_EQ(RvDialog_DestroyControl(handle_, L""), 0);
    EXPECT_EQ(RvDialog_DestroyControl(handle_, nullptr), 0);
    EXPECT_EQ(RvDialog_DestroyControl(handle_, L"A"), -1);
    EXPECT_TRUE(IsWindow(a_) && IsWindow(b_) && IsWindow(c_));
}

TEST_F(ThreeButtons, DestroyingAControlDestroyedElsewhereForgetsIt) {
    DestroyWindow(b_);
    EXPECT_EQ(RvDialog_DestroyControl(handle_, L"b"), 0);
    EXPECT_EQ(GetDlgCtrlID(c_), 1);
    EXPECT_TRUE(IsWindow(a_) && IsWindow(c_));
}

TEST_F(ThreeButtons, DestroyingAllStartsTheLayoutAfresh) {
    const Metrics& m = ExpectedMetrics();
    RvDialog_AddRemoveOptions(handle_, RVDIALOG_OPTION_DIRECT_CALLS, RVDIALOG_OPTION_NEW_ROW);
    RvDialog_AddColumn(handle_);
    RvDialog_AddMessageHandler(handle_, c_, WM_APP, WM_APP, 0, 0, 0, 0, LogHandler, L"bound");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP + 1, WM_APP + 1, 0, 0, 0, 0, LogHandler,
                               L"dialog");
    EXPECT_EQ(RvDialog_DestroyAllControls(handle_), 0);
    EXPECT_FALSE(IsWindow(a_) || IsWindow(b_) || IsWindow(c_));
    EXPECT_EQ(RvDialog_AddRemoveOptions(handle_, 0, 0), 5) << "the options are back to 5";
    HWND x = Add(L"x", L"edit");
    EXPECT_EQ(GetDlgCtrlID(x), 0);
    EXPECT_EQ(Rect(L"x").left, m.leftMargin) << "no column is pending";
    EXPECT_EQ(Rect(L"x").top, m.topMargin + m.rowGap);
    SendMessageW(dialog_, WM_APP, 0, 0);
    SendMessageW(dialog_, WM_APP + 1, 0, 0);
    EXPECT_EQ(HandlerLog().Count(WM_APP), 0u);
    EXPECT_EQ(HandlerLog().Count(WM_APP + 1), 1u) << "handlers of no control stay";
}

INT_PTR DestroyingItsDialog(HWND dialog, UINT, WPARAM, LPARAM, const wchar_t*) {
    DestroyWindow(dialog);
    return 0;
}

TEST_F(BuilderDialog, AHandlerMayDestroyTheDialogWhileAControlIsAdded) {
    RvDialog_AddMessageHandler(handle_, nullptr, WM_PARENTNOTIFY, WM_PARENTNOTIFY, 0, 0, 0, 0,
                               DestroyingItsDialog, L"");
    uint32_t control = 0;
    EXPECT_EQ(RvDialog_AddControl(handle_, L"a", L"edit", 0, 0, 10, &control), -1);
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_EQ(control, 0u);
}

TEST_F(BuilderDialog, AHandlerMayDestroyTheDialogWhileItIsSizedOnShow) {
    Add(L"a", L"edit");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_SIZE, WM_SIZE, 0, 0, 0, 0, DestroyingItsDialog,
                               L"");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_SHOWWINDOW, WM_SHOWWINDOW, 0, 0, 0, 0,
                               LogHandler, L"shown");
    ShowWindow(dialog_, SW_SHOWNA);
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_EQ(HandlerLog().Count(WM_SHOWWINDOW), 0u) << "no handler runs for a freed record";
}

TEST_F(BuilderDialog, ClosingRequestsDoNothingWithoutAHandler) {
    SendMessageW(dialog_, WM_CLOSE, 0, 0);
    SendMessageW(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(dialog_, WM_KEYDOWN, VK_ESCAPE, 0);
    testsupport::PumpPending();
    EXPECT_TRUE(IsWindow(dialog_));
    EXPECT_EQ(RvDialog_IsRvDialog(handle_), 1);
}

TEST_F(BuilderDialog, TheLastMessageReachesHandlersBeforeTheRecordIsFreed) {
    static uint32_t s_handle;
    static int s_stillADialog;
    s_handle = handle_;
    s_stillADialog = -1;
    RvDialog_AddMessageHandler(
        handle_, nullptr, WM_NCDESTROY, WM_NCDESTROY, 0, 0, 0, 0,
        [](HWND, UINT, WPARAM, LPARAM, const wchar_t*) -> INT_PTR {
            s_stillADialog = RvDialog_IsRvDialog(s_handle);
            return 0;
        },
        L"");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_SIZE, WM_SHOWWINDOW, 0, 0, 0, 0, LogHandler,
                               L"size or show");
    Add(L"a", L"edit");
    ShowWindow(dialog_, SW_SHOWNA);
    EXPECT_GE(HandlerLog().Count(WM_SHOWWINDOW), 1u) << "after the built-in handling";
    EXPECT_GE(HandlerLog().Count(WM_SIZE), 1u);
    DestroyWindow(dialog_);
    EXPECT_EQ(s_stillADialog, 1);
    EXPECT_EQ(RvDialog_IsRvDialog(handle_), 0);
}

} // namespace
} // namespace rvwtest
