// The numeric edit: snapping, ranges, display, typed input and scrolling,
// driven through its exports and messages in a builder dialog.
#include "control_fixture.h"

#include <commctrl.h>

#include <limits>
#include <string>
#include <vector>

namespace rvwtest {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class NumericEdit : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        edit_ = Add(L"value", L"RvLsEdit", 0, 0, 80);
        id_ = HandleOf(edit_);
        ASSERT_EQ(RvLsEdit_IsRvLsEditWindow(id_), 1);
        ASSERT_EQ(RvDialog_AddMessageHandler(handle_, nullptr, WM_COMMAND, WM_COMMAND, 0, 0, 0, 0,
                                             LogHandler, L"command"),
                  0);
    }
    // Scroll code (and thumb position) as a bound scroll bar would send it.
    void Scroll(int code, int thumb = 0) {
        SendMessageW(edit_, WM_HSCROLL, MAKEWPARAM(code, thumb), 0);
    }
    // The edit's own reports (notification code 0), not the edit control's EN_ ones.
    std::vector<testsupport::LoggedMessage> Reports(HWND from) const {
        std::vector<testsupport::LoggedMessage> reports;
        for (const auto& m : HandlerLog().Of(WM_COMMAND))
            if (HIWORD(m.wParam) == 0 && m.lParam == reinterpret_cast<LPARAM>(from))
                reports.push_back(m);
        return reports;
    }
    size_t Commands(HWND from = nullptr) const { return Reports(from ? from : edit_).size(); }
    void Type(const wchar_t* text) {
        SetWindowTextW(edit_, text);
        SendMessageW(edit_, WM_KEYUP, '0', 0);
    }
    double Value() const { return RvLsEdit_GetValue(id_); }

    HWND edit_ = nullptr;
    uint32_t id_ = 0;
};

TEST_F(NumericEdit, ValuesSnapToTheStepsOfTheRange) {
    EXPECT_EQ(TextOf(edit_), L"0");
    const struct {
        double in, stored;
    } cases[] = {{42.4, 42}, {42.5, 43}, {-5, 0}, {1000, 100}, {99.9, 100}, {0.49, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(RvLsEdit_SetValue(id_, c.in), 1);
        EXPECT_DOUBLE_EQ(Value(), c.stored) << c.in;
    }
    EXPECT_EQ(TextOf(edit_), L"0") << "the last one";
    ASSERT_EQ(RvLsEdit_SetRange(id_, 10, 20, 0.5), 1);
    RvLsEdit_SetValue(id_, 13.3);
    EXPECT_DOUBLE_EQ(Value(), 13.5);
    RvLsEdit_SetValue(id_, kInfinity);
    EXPECT_DOUBLE_EQ(Value(), 20) << "infinity is above the range";
}

TEST_F(NumericEdit, AStepOfZeroDividesTheRangeInto65535Steps) {
    uint32_t bar = 0;
    ASSERT_EQ(RvDialog_AddControl(handle_, L"bar", L"RvLsScrollbar", 0, 82, 100, &bar), 0);
    ASSERT_EQ(RvLsEdit_SetRange(id_, 0, 1, 0), 1);
    const SCROLLINFO info = ScrollInfoOf(AsWindow(bar));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 65536 / 2 + 1) << "65536 positions, two to a scroll unit";
    EXPECT_EQ(info.nPage, 1u);
    Scroll(SB_PAGEDOWN);
    EXPECT_NEAR(Value(), 3276.0 / 65535, 1e-12) << "a page is 3276 steps";
    Scroll(SB_THUMBPOSITION, 100);
    EXPECT_NEAR(Value(), 200.0 / 65535, 1e-12) << "a thumb unit is two steps";
    RvLsEdit_SetValue(id_, 0.5);
    EXPECT_NEAR(GetScrollPos(AsWindow(bar), SB_CTL), 16384, 1);
}

TEST_F(NumericEdit, FormatUnitScaleAndOffsetMakeTheText) {
    ASSERT_EQ(RvLsEdit_SetFormat(id_, L"%.2lf "), 1);
    ASSERT_EQ(RvLsEdit_SetUnit(id_, L"mV"), 1);
    RvLsEdit_SetRange(id_, 0, 100, 0.5);
    RvLsEdit_SetValue(id_, 12.5);
    EXPECT_EQ(TextOf(edit_), L"12.50 mV");
    ASSERT_EQ(RvLsEdit_SetScale(id_, 2, -1), 1);
    EXPECT_EQ(TextOf(edit_), L"24.00 mV");
    EXPECT_EQ(RvLsEdit_SetScale(id_, 0, 5), 0);
    EXPECT_EQ(TextOf(edit_), L"24.00 mV") << "a scale of 0 changes nothing";
    EXPECT_EQ(RvLsEdit_SetUnit(id_, std::wstring(40, L'u').c_str()), 1);
    EXPECT_EQ(TextOf(edit_), L"24.00 " + std::wstring(31, L'u')) << "units keep 31 characters";
}

TEST_F(NumericEdit, FormatsThatCouldMisreadTheirArgumentsAreRefused) {
    RvLsEdit_SetFormat(id_, L"%.1lf");
    RvLsEdit_SetValue(id_, 7);
    const wchar_t* refused[] = {
        L"%s",
        L"%d",
        L"%n",
        L"%.2lf %s",
        L"%*lf",
        L"%lf%lf",
        L"%Lf",
        L"%100lf",
        L"%.100lf",
        L"%p",
        L"x",
        L"%.2l",
        L"0123456789012345678901234567%f" /* 30 characters */,
    };
    for (const wchar_t* format : refused) {
        EXPECT_EQ(RvLsEdit_SetFormat(id_, format), 0) << std::wstring(format).size();
        EXPECT_EQ(TextOf(edit_), L"7.0");
    }
    EXPECT_EQ(RvLsEdit_SetFormat(id_, L"%99.60lf"), 1) << "two digits are allowed";
    EXPECT_EQ(TextOf(edit_).size(), 99u);
    RvLsEdit_SetUnit(id_, std::wstring(31, L'u').c_str());
    EXPECT_EQ(RvLsEdit_SetFormat(id_, L"100%% = %-99.60lf"), 1);
    EXPECT_EQ(TextOf(edit_).size(), 127u) << "the text is cut to 127 characters";
    EXPECT_EQ(TextOf(edit_).substr(0, 11), L"100% = 7.00");
}

TEST_F(NumericEdit, TypedTextIsTakenWhenFocusLeaves) {
    RvLsEdit_SetScale(id_, 1000, 0);
    RvLsEdit_SetRange(id_, 0, 1, 0.001);
    RvLsEdit_SetValue(id_, 0.5);
    EXPECT_EQ(TextOf(edit_), L"500");
    HandlerLog().Clear();
    Type(L"250");
    EXPECT_DOUBLE_EQ(Value(), 0.5) << "not before focus leaves";
    RvLsEdit_SetValue(id_, 0.75);
    EXPECT_EQ(TextOf(edit_), L"250") << "a value set meanwhile keeps the typed text";
    EXPECT_EQ(Commands(), 0u);
    SendMessageW(edit_, WM_KILLFOCUS, 0, 0);
    EXPECT_NEAR(Value(), 0.25, 1e-12);
    EXPECT_EQ(TextOf(edit_), L"250");
    ASSERT_EQ(Commands(), 1u);
    EXPECT_EQ(Reports(edit_)[0].wParam, static_cast<WPARAM>(GetDlgCtrlID(edit_)));
    DWORD from = 1, to = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 3u) << "the accepted text is selected";
}

TEST_F(NumericEdit, FocusLeavingUntouchedTextChangesNothing) {
    RvLsEdit_SetValue(id_, 30);
    HandlerLog().Clear();
    SendMessageW(edit_, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(Commands(), 0u);
    EXPECT_DOUBLE_EQ(Value(), 30);
}

TEST_F(NumericEdit, EnterInAMultiLineFieldAcceptsAtOnce) {
    HWND multi = Add(L"multi", L"RvLsEdit", ES_MULTILINE | ES_WANTRETURN, -2, 80);
    HandlerLog().Clear();
    SetWindowTextW(multi, L"64\r\n");
    SendMessageW(multi, WM_KEYUP, VK_RETURN, 0);
    EXPECT_DOUBLE_EQ(RvLsEdit_GetValue(HandleOf(multi)), 64);
    EXPECT_EQ(TextOf(multi), L"64");
    EXPECT_EQ(Commands(multi), 1u);
}

TEST_F(NumericEdit, TextThatIsNotANumberShowsTheValueAgain) {
    RvLsEdit_SetValue(id_, 12);
    for (const wchar_t* text : {L"abc", L"", L"nan", L"-inf"}) {
        HandlerLog().Clear();
        SetWindowTextW(edit_, text);
        SendMessageW(edit_, WM_KILLFOCUS, 0, 0);
        EXPECT_EQ(TextOf(edit_), L"12") << std::wstring(text).size();
        EXPECT_DOUBLE_EQ(Value(), 12);
        EXPECT_EQ(Commands(), 0u);
    }
}

TEST_F(NumericEdit, ScrollCodesMoveByLinesPagesAndEnds) {
    RvLsEdit_SetRange(id_, 0, 10, 1); // 11 steps: page steps 0
    RvLsEdit_SetValue(id_, 5);
    const struct {
        int code;
        double after;
    } cases[] = {{SB_LINEDOWN, 6},  {SB_LINEUP, 5},     {SB_PAGEDOWN, 6}, {SB_PAGEUP, 5},
                 {SB_BOTTOM, 10},   {SB_LINEDOWN, 10},  {SB_TOP, 0},      {SB_LINEUP, 0},
                 {SB_ENDSCROLL, 0}, {SB_THUMBTRACK, 0}, {9, 0},           {SB_THUMBPOSITION, 0}};
    int thumb = 7;
    for (const auto& c : cases) {
        Scroll(c.code, c.code == SB_THUMBTRACK ? thumb : 0);
        if (c.code == SB_THUMBTRACK) {
            EXPECT_DOUBLE_EQ(Value(), 7) << "thumb";
            RvLsEdit_SetValue(id_, 0);
            continue;
        }
        EXPECT_DOUBLE_EQ(Value(), c.after) << "code " << c.code;
    }
}

TEST_F(NumericEdit, ADescendingRangeLowersTheValueOnLineDown) {
    RvLsEdit_SetRange(id_, 100, 0, 1);
    RvLsEdit_SetValue(id_, 50);
    Scroll(SB_LINEDOWN);
    EXPECT_DOUBLE_EQ(Value(), 49);
    Scroll(SB_LINEUP);
    Scroll(SB_LINEUP);
    EXPECT_DOUBLE_EQ(Value(), 51);
    Scroll(SB_TOP);
    EXPECT_DOUBLE_EQ(Value(), 100) << "top is the first end";
}

TEST_F(NumericEdit, ChangesFromScrollingAreReportedToTheDialog) {
    RvLsEdit_SetValue(id_, 50);
    HandlerLog().Clear();
    Scroll(SB_LINEDOWN);
    EXPECT_EQ(Commands(), 1u);
    Scroll(SB_ENDSCROLL);
    Scroll(SB_THUMBPOSITION, 51);
    EXPECT_EQ(Commands(), 1u) << "no change, no report";
    EnableWindow(edit_, FALSE);
    Scroll(SB_LINEDOWN);
    EXPECT_DOUBLE_EQ(Value(), 51) << "a disabled edit does not scroll";
    EXPECT_EQ(Commands(), 1u);
}

TEST_F(NumericEdit, FlagsReverseDelayOrIgnoreTheThumb) {
    struct Case {
        uint32_t flags;
        int code, thumb;
        double after;
        size_t commands;
    };
    const Case cases[] = {
        {0, SB_THUMBTRACK, 30, 30, 1},
        {1, SB_LINEDOWN, 0, 49, 1},
        {1, SB_THUMBPOSITION, 30, 71, 1}, // 101 steps: position 30 counts from the far end
        {4, SB_THUMBTRACK, 30, 30, 0},
        {4, SB_THUMBPOSITION, 50, 50, 1}, // reported although unchanged
        {16, SB_THUMBTRACK, 30, 50, 0},
        {16, SB_THUMBPOSITION, 30, 50, 0},
        {16, SB_LINEDOWN, 0, 51, 1},
    };
    RvLsEdit_SetRange(id_, 0, 100, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << " code " << c.code);
        RvLsEdit_SetFlags(id_, 0);
        RvLsEdit_SetValue(id_, 50);
        EXPECT_EQ(RvLsEdit_SetFlags(id_, c.flags), c.flags);
        EXPECT_EQ(RvLsEdit_GetFlags(id_), c.flags);
        HandlerLog().Clear();
        Scroll(c.code, c.thumb);
        EXPECT_DOUBLE_EQ(Value(), c.after);
        EXPECT_EQ(Commands(), c.commands);
    }
}

TEST_F(NumericEdit, ABoundTrackbarFollowsTheValueAndDrivesIt) {
    HWND track = Add(L"track", L"msctls_trackbar32", 0, 0, 100);
    SendMessageW(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(edit_, RVLSEDIT_BIND_TRACKBAR, 0, reinterpret_cast<LPARAM>(track));
    RvLsEdit_SetValue(id_, 30);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 30);
    RvLsEdit_SetFlags(id_, RVLSEDIT_FLAG_REVERSE);
    RvLsEdit_SetValue(id_, 30);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 70) << "counted from the far end";
    RvLsEdit_SetFlags(id_, 0);
    Scroll(TB_THUMBPOSITION, 45); // what a handler passes on from the trackbar
    EXPECT_DOUBLE_EQ(Value(), 45);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 45);
}

TEST_F(NumericEdit, AHandlerThatDestroysTheEditOnItsReportIsSafe) {
    static HWND doomed;
    doomed = edit_;
    auto destroy = [](HWND, UINT, WPARAM, LPARAM, const wchar_t*) -> INT_PTR {
        DestroyWindow(doomed);
        return 0;
    };
    RvDialog_AddMessageHandler(handle_, nullptr, WM_COMMAND, WM_COMMAND, 0, 0, 0, 0, destroy, L"");
    Type(L"12");
    SendMessageW(edit_, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(IsWindow(edit_));
    EXPECT_EQ(RvLsEdit_IsRvLsEditWindow(id_), 0);
    EXPECT_EQ(RvLsEdit_SetValue(id_, 1), -1);
}

TEST_F(NumericEdit, RangesThatCannotBeSteppedStayUsable) {
    EXPECT_EQ(RvLsEdit_SetRange(id_, 5, 5, 0), 1) << "an empty range has one step";
    RvLsEdit_SetValue(id_, 9);
    EXPECT_DOUBLE_EQ(Value(), 5);
    Scroll(SB_PAGEDOWN);
    EXPECT_DOUBLE_EQ(Value(), 5);
    EXPECT_EQ(RvLsEdit_SetRange(id_, -1e300, 1e300, 1e-300), 1) << "too many steps";
    RvLsEdit_SetValue(id_, 0);
    EXPECT_NEAR(Value(), 0, 1e290);
    EXPECT_EQ(RvLsEdit_SetRange(id_, 0, kNaN, 1), 0);
    EXPECT_EQ(RvLsEdit_SetRange(id_, 0, 10, kInfinity), 0);
}

} // namespace
} // namespace rvwtest
