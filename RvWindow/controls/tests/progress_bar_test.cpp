// The progress bar counting on timer ticks, and its completion text.
#include "control_fixture.h"

#include <commctrl.h>

namespace rvwtest {
namespace {

constexpr UINT kLongPeriod = 1000000; // never fires during a test: ticks are sent by hand

class ProgressBar : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        bar_ = Add(L"progress", L"RvProgressbar", 0, 0, 100);
        target_ = Add(L"status", L"static", 0, 0, 100);
        SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    }
    int Position() const { return static_cast<int>(SendMessageW(bar_, PBM_GETPOS, 0, 0)); }
    void Tick(UINT_PTR timer) { SendMessageW(bar_, WM_TIMER, timer, 0); }
    // True when the timer was still set (KillTimer says so, and ends it).
    bool TimerWasSet(UINT_PTR timer) { return KillTimer(bar_, timer) != FALSE; }

    HWND bar_ = nullptr, target_ = nullptr;
};

TEST_F(ProgressBar, CountingUpToTheEndStopsTheTimerAndWritesTheText) {
    ASSERT_EQ(RvProgressBar_SetCompletionText(HandleOf(bar_), HandleOf(target_), L"Done"), 1);
    SendMessageW(bar_, PBM_SETPOS, 98, 0);
    ASSERT_NE(SetTimer(bar_, 1, kLongPeriod, nullptr), 0u);
    Tick(1);
    EXPECT_EQ(Position(), 99);
    EXPECT_EQ(TextOf(target_), L"");
    Tick(1);
    EXPECT_EQ(Position(), 100);
    EXPECT_EQ(TextOf(target_), L"Done");
    EXPECT_FALSE(TimerWasSet(1));
}

TEST_F(ProgressBar, CountingDownToTheStartStopsTimerTwo) {
    const std::wstring text(80, L't');
    ASSERT_EQ(RvProgressBar_SetCompletionText(HandleOf(bar_), HandleOf(target_), text.c_str()), 1);
    SendMessageW(bar_, PBM_SETPOS, 1, 0);
    ASSERT_NE(SetTimer(bar_, 2, kLongPeriod, nullptr), 0u);
    Tick(2);
    EXPECT_EQ(Position(), 0);
    EXPECT_FALSE(TimerWasSet(2));
    EXPECT_EQ(TextOf(target_), std::wstring(63, L't')) << "completion texts keep 63 characters";
}

TEST_F(ProgressBar, OtherTimersKeepThePosition) {
    SendMessageW(bar_, PBM_SETPOS, 40, 0);
    ASSERT_NE(SetTimer(bar_, 7, kLongPeriod, nullptr), 0u);
    Tick(7);
    EXPECT_EQ(Position(), 40);
    EXPECT_TRUE(TimerWasSet(7));
}

TEST_F(ProgressBar, WithoutATargetOrWithAGoneOneNothingIsWritten) {
    SendMessageW(bar_, PBM_SETPOS, 99, 0);
    Tick(1);
    EXPECT_EQ(Position(), 100);
    HWND gone = Add(L"gone", L"static", 0, 0, 10);
    RvProgressBar_SetCompletionText(HandleOf(bar_), HandleOf(gone), L"x");
    DestroyWindow(gone);
    SendMessageW(bar_, PBM_SETPOS, 99, 0);
    Tick(1);
    EXPECT_EQ(Position(), 100);
}

TEST_F(ProgressBar, OnlyBuilderProgressBarsTakeACompletionText) {
    HWND plain = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD, 0, 0, 10, 10, dialog_, nullptr,
                                 nullptr, nullptr);
    SetWindowLongPtrW(plain, GWLP_USERDATA, GetWindowLongPtrW(bar_, GWLP_USERDATA));
    EXPECT_EQ(RvProgressBar_SetCompletionText(HandleOf(plain), HandleOf(target_), L"x"), 0)
        << "another window holding the same record";
    for (HWND other : {target_, dialog_, static_cast<HWND>(nullptr)})
        EXPECT_EQ(RvProgressBar_SetCompletionText(HandleOf(other), HandleOf(target_), L"x"), 0);
    EXPECT_EQ(RvProgressBar_SetCompletionText(HandleOf(bar_), HandleOf(target_), nullptr), 0);
    SetWindowLongPtrW(plain, GWLP_USERDATA, 0);
    DestroyWindow(plain);
}

} // namespace
} // namespace rvwtest
