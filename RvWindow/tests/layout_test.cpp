// Where controls go: rows, columns, the shifts of statics and combo boxes,
// multi-line edits, units and the automatic size of the dialog.
#include "builder_fixture.h"

#include <commctrl.h>

#include <climits>
#include <string>

namespace rvwtest {
namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// The window rectangle in the dialog's client coordinates, read independently.
RECT ClientRectOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(BuilderDialog, TheFirstDialogMeasuresTheLayoutFromADropDownList) {
    const Metrics& m = ExpectedMetrics();
    ASSERT_GT(m.itemHeight, 0);
    Add(L"a", L"edit", 0, 0, 14);
    // With option 1 (a default) the first row is one gap below the top margin.
    EXPECT_EQ(Rect(L"a").left, m.leftMargin);
    EXPECT_EQ(Rect(L"a").top, m.topMargin + m.rowGap);
    EXPECT_EQ(Height(Rect(L"a")), m.rowHeight - m.rowHeight / 5);
}

TEST_F(BuilderDialog, ControlRectIsTheWindowRectInClientCoordinates) {
    HWND edit = Add(L"e", L"edit", WS_BORDER, 5, 60);
    const RECT got = Rect(L"e");
    const RECT expected = ClientRectOf(edit);
    EXPECT_EQ(got.left, expected.left);
    EXPECT_EQ(got.top, expected.top);
    EXPECT_EQ(got.right, expected.right);
    EXPECT_EQ(got.bottom, expected.bottom);
}

TEST_F(BuilderDialog, ControlRectStaysInClientCoordinatesUnderAMenuBar) {
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"File");
    ASSERT_TRUE(SetMenu(dialog_, menu));
    HWND edit = Add(L"e", L"edit", 0, 0, 60);
    const RECT expected = ClientRectOf(edit);
    EXPECT_EQ(Rect(L"e").top, expected.top);
    EXPECT_EQ(Rect(L"e").top, ExpectedMetrics().topMargin + ExpectedMetrics().rowGap);
    EXPECT_EQ(Rect(L"e").left, expected.left);
}

TEST_F(BuilderDialog, OptionOneStartsEveryControlOnANewRow) {
    const Metrics& m = ExpectedMetrics();
    Add(L"a", L"edit", 0, 0, 50);
    Add(L"b", L"edit", 0, 0, 80, 0);
    Add(L"c", L"edit", 0, -3, 30);
    Add(L"d", L"button", 0, 0, 30);
    const int row1 = m.topMargin + m.rowGap;
    const int row2 = row1 + m.rowHeight + m.rowGap;
    const int row3 = row2 + m.rowHeight + m.rowGap;
    const int row4 = row3 + m.rowHeight + 2 * m.controlHeight + m.rowGap;
    EXPECT_EQ(Rect(L"a").top, row1);
    EXPECT_EQ(Rect(L"b").top, row2);
    EXPECT_EQ(Rect(L"c").top, row3);
    EXPECT_EQ(Rect(L"d").top, row4) << "a row is as low as its tallest control";
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"})
        EXPECT_EQ(Rect(name).left, m.leftMargin);
}

TEST_F(BuilderDialog, WithoutOptionOneControlsShareTheRowAtTheirOffsets) {
    const Metrics& m = ExpectedMetrics();
    SetOptions(0, RVDIALOG_OPTION_NEW_ROW);
    Add(L"a", L"edit", 0, 0, 50);
    Add(L"b", L"edit", 0, 70, 30);
    EXPECT_EQ(Rect(L"a").top, m.topMargin) << "no row was started";
    EXPECT_EQ(Rect(L"b").top, m.topMargin);
    EXPECT_EQ(Rect(L"b").left, m.leftMargin + m.Units(70));
    // An explicit row starts below the row bottom; the next control stays on it.
    EXPECT_EQ(RvDialog_AddRow(handle_), 0);
    Add(L"c", L"edit", 0, 0, 20);
    Add(L"d", L"edit", 0, 30, 20);
    EXPECT_EQ(Rect(L"c").top, m.topMargin + m.rowHeight + m.rowGap);
    EXPECT_EQ(Rect(L"d").top, Rect(L"c").top);
}

TEST_F(BuilderDialog, ANewColumnStartsRightOfEverythingAtTheTop) {
    const Metrics& m = ExpectedMetrics();
    Add(L"a", L"edit", 0, 0, 50);
    Add(L"b", L"edit", 0, 10, 90);
    const int maxRight = Rect(L"b").right;
    EXPECT_EQ(RvDialog_AddColumn(handle_), 0);
    Add(L"c", L"edit", 0, 0, 20);
    Add(L"d", L"edit", 0, 4, 20);
    EXPECT_EQ(Rect(L"c").left, maxRight + 10);
    EXPECT_EQ(Rect(L"c").top, m.topMargin) << "option 1 is not consulted for a column head";
    EXPECT_EQ(Rect(L"d").left, maxRight + 10 + m.Units(4));
    EXPECT_EQ(Rect(L"d").top, m.topMargin + m.rowHeight + m.rowGap);
}

// Extreme offsets, widths and line counts from a macro give windows the
// window system handles: sizes within 0..32767 and positions within
// -32768..32767, what WM_SIZE and WM_MOVE can report. Far wider, a
// right-aligned edit stalls Wine's text layout on every WM_SETTEXT.
TEST_F(BuilderDialog, ExtremeSizesStayWithinWhatWindowsHandle) {
    constexpr int kLargest = 32767, kSmallest = -32768;
    const struct {
        const wchar_t* cls;
        uint32_t style;
        int b, w;
    } cases[] = {
        {L"edit", ES_RIGHT, 0, INT_MAX},       {L"edit", ES_RIGHT | ES_MULTILINE, INT_MIN, INT_MAX},
        {L"edit", ES_RIGHT, INT_MAX, INT_MAX}, {L"static", SS_RIGHT, INT_MAX, INT_MIN},
        {L"button", 0, -1000000, 100},
    };
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        const std::wstring name = L"c" + std::to_wstring(i++);
        HWND control = Add(name.c_str(), c.cls, c.style, c.b, c.w);
        ASSERT_NE(control, nullptr);
        const RECT r = ClientRectOf(control);
        EXPECT_GE(Width(r), 0);
        EXPECT_LE(Width(r), kLargest);
        EXPECT_LE(Height(r), kLargest);
        EXPECT_GE(r.left, kSmallest);
        EXPECT_LE(r.left, kLargest);
        EXPECT_LE(r.top, kLargest);
        EXPECT_EQ(SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1234.5")), TRUE);
    }
    // The widest control still sets the dialog's size on first show.
    ShowWindow(dialog_, SW_SHOWNA);
    RECT client;
    GetClientRect(dialog_, &client);
    EXPECT_LE(Width(client), kLargest);
    EXPECT_LE(Height(client), kLargest);
    ShowWindow(dialog_, SW_HIDE);
}

TEST_F(BuilderDialog, StaticsSitLowerAndComboBoxesAreTaller) {
    const Metrics& m = ExpectedMetrics();
    const int shift = m.rowHeight / 5;
    SetOptions(0, RVDIALOG_OPTION_NEW_ROW);
    Add(L"edit", L"edit", 0, 0, 30);
    Add(L"label", L"static", 0, 40, 30);
    Add(L"button", L"RvButton", 0, 80, 30);
    Add(L"combo", L"combobox", CBS_SIMPLE, 120, 30);
    Add(L"Static", L"Static", 0, 160, 30);
    const RECT edit = Rect(L"edit");
    EXPECT_EQ(Height(edit), m.rowHeight - shift);
    EXPECT_EQ(Rect(L"label").top, edit.top + shift);
    EXPECT_EQ(Height(Rect(L"label")), m.rowHeight - shift);
    EXPECT_EQ(Rect(L"button").top, edit.top + shift) << "the image button is a static";
    EXPECT_EQ(Rect(L"combo").top, edit.top);
    EXPECT_EQ(Height(Rect(L"combo")), m.rowHeight);
    EXPECT_EQ(Rect(L"Static").top, edit.top) << "the class name must be exactly \"static\"";
}

TEST_F(BuilderDialog, NegativeOffsetsAreLineCounts) {
    const Metrics& m = ExpectedMetrics();
    SetOptions(0, RVDIALOG_OPTION_NEW_ROW);
    HWND three = Add(L"three", L"edit", ES_MULTILINE, -3, 60, WS_EX_STATICEDGE);
    HWND one = Add(L"one", L"edit", 0, -1, 60, WS_EX_STATICEDGE);
    HWND label = Add(L"label", L"static", 0, -1, 60, WS_EX_STATICEDGE);
    EXPECT_EQ(Height(Rect(L"three")), m.rowHeight + 2 * m.controlHeight - m.rowHeight / 5);
    EXPECT_EQ(Rect(L"three").left, m.leftMargin) << "the x offset is 0";
    EXPECT_EQ(Width(Rect(L"three")), m.Units(60));
    const LONG_PTR kEdges = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE;
    EXPECT_EQ(GetWindowLongPtrW(three, GWL_EXSTYLE) & kEdges, WS_EX_STATICEDGE);
    EXPECT_EQ(GetWindowLongPtrW(one, GWL_EXSTYLE) & kEdges, WS_EX_CLIENTEDGE)
        << "one line of edit gets a sunken edge instead of the given style";
    EXPECT_EQ(GetWindowLongPtrW(label, GWL_EXSTYLE) & kEdges, WS_EX_STATICEDGE);
}

TEST_F(BuilderDialog, OffsetsAndWidthsAreFourteenthsOfTheRowHeight) {
    const Metrics& m = ExpectedMetrics();
    struct Case {
        int offset, width;
    };
    const Case cases[] = {{0, 14}, {7, 28}, {3, 1}, {13, 155}, {100, 9}};
    for (const Case& c : cases) {
        RvDialog_DestroyAllControls(handle_);
        Add(L"x", L"edit", 0, c.offset, c.width);
        const RECT r = Rect(L"x");
        SCOPED_TRACE(testing::Message() << c.offset << " + " << c.width);
        EXPECT_EQ(r.left, m.leftMargin + m.Units(c.offset));
        EXPECT_EQ(Width(r), m.Units(c.offset + c.width) - m.Units(c.offset));
    }
}

TEST_F(BuilderDialog, AScrollBarJoinsTheRowOfTheControlBeforeIt) {
    const Metrics& m = ExpectedMetrics();
    Add(L"first", L"RvLsScrollbar", SBS_VERT, 0, 10);
    EXPECT_EQ(Rect(L"first").top, m.topMargin + m.rowGap) << "as the first control it starts a row";
    Add(L"value", L"RvLsEdit", 0, 20, 40);
    Add(L"bar", L"RvLsScrollbar", SBS_VERT, 62, 10);
    EXPECT_EQ(Rect(L"bar").top, Rect(L"value").top);
    EXPECT_EQ(RvDialog_AddRow(handle_), 0);
    Add(L"bar2", L"rvlsscrollbar", SBS_VERT, 80, 10);
    EXPECT_EQ(Rect(L"bar2").top, Rect(L"value").top) << "even a requested row is skipped";
    Add(L"next", L"edit", 0, 0, 10);
    EXPECT_GT(Rect(L"next").top, Rect(L"value").top);
}

TEST_F(BuilderDialog, ControlIdentifiersAreTableIndexes) {
    const wchar_t* names[] = {L"a", L"b", L"c", L"d"};
    const wchar_t* classes[] = {L"edit", L"button", L"static", L"RvProgressbar"};
    for (int i = 0; i < 4; ++i) {
        HWND control = Add(names[i], classes[i]);
        EXPECT_EQ(GetDlgCtrlID(control), i);
        EXPECT_EQ(GetParent(control), dialog_);
        EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE);
    }
}

TEST_F(BuilderDialog, ControlsGetTheDialogFont) {
    HWND edit = Add(L"e", L"edit");
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), font);
}

SIZE ClientSize(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

TEST_F(BuilderDialog, TheFirstShowSizesTheDialogToItsControlsOnce) {
    const Metrics& m = ExpectedMetrics();
    Add(L"a", L"edit", 0, 0, 60);
    Add(L"b", L"edit", 0, 30, 90, 0);
    RECT frameBefore;
    GetWindowRect(dialog_, &frameBefore);
    ShowWindow(dialog_, SW_SHOWNA);
    const SIZE first = ClientSize(dialog_);
    EXPECT_EQ(first.cx, Rect(L"b").right + m.leftMargin);
    EXPECT_EQ(first.cy, Rect(L"b").bottom + m.rowHeight / 5 + m.topMargin);
    RECT frameAfter;
    GetWindowRect(dialog_, &frameAfter);
    EXPECT_EQ(frameAfter.left, frameBefore.left) << "the dialog is not moved";
    EXPECT_EQ(frameAfter.top, frameBefore.top);

    // More controls and another show: the size stays.
    ShowWindow(dialog_, SW_HIDE);
    Add(L"c", L"edit", 0, 0, 300);
    ShowWindow(dialog_, SW_SHOWNA);
    EXPECT_EQ(ClientSize(dialog_).cx, first.cx);
    EXPECT_EQ(ClientSize(dialog_).cy, first.cy);

    // Asking again sizes it again, once.
    ShowWindow(dialog_, SW_HIDE);
    EXPECT_EQ(RvDialog_AddRemoveOptions(handle_, RVDIALOG_OPTION_AUTO_SIZE, 0), 5);
    ShowWindow(dialog_, SW_SHOWNA);
    EXPECT_EQ(ClientSize(dialog_).cx, Rect(L"c").right + m.leftMargin);
    EXPECT_EQ(RvDialog_AddRemoveOptions(handle_, 0, 0), 1) << "the option clears itself";
}

TEST_F(BuilderDialog, ADialogWithoutControlsKeepsItsTemplateSize) {
    const SIZE before = ClientSize(dialog_);
    ShowWindow(dialog_, SW_SHOWNA);
    EXPECT_EQ(ClientSize(dialog_).cx, before.cx);
    EXPECT_EQ(ClientSize(dialog_).cy, before.cy);
}

TEST_F(BuilderDialog, AFailedControlLeavesTheLayoutAsItWas) {
    const Metrics& m = ExpectedMetrics();
    uint32_t control = 77;
    EXPECT_EQ(RvDialog_AddControl(handle_, L"bad", L"NoSuchClass", 0, 0, 500, &control), -1);
    EXPECT_EQ(control, 77u);
    EXPECT_EQ(RvDialog_AddColumn(handle_), 0);
    Add(L"a", L"edit", 0, 0, 20);
    EXPECT_EQ(Rect(L"a").left, 10) << "maximum right is still 0";
    EXPECT_EQ(Rect(L"a").top, m.topMargin);
    EXPECT_EQ(GetDlgCtrlID(Find(L"a")), 0);
    EXPECT_EQ(Find(L"bad"), nullptr);
}

TEST_F(BuilderDialog, OptionsAreSetThenClearedAndClearThePendingRow) {
    const Metrics& m = ExpectedMetrics();
    EXPECT_EQ(RvDialog_AddRemoveOptions(handle_, 0, 0), 5);
    EXPECT_EQ(RvDialog_AddRemoveOptions(handle_, 2, 1), 6);
    EXPECT_EQ(RvDialog_AddRemoveOptions(handle_, 8, 8), 6) << "clearing wins over setting";
    EXPECT_EQ(RvDialog_AddRow(handle_), 0);
    RvDialog_AddRemoveOptions(handle_, 0, 0);
    Add(L"a", L"edit");
    EXPECT_EQ(Rect(L"a").top, m.topMargin) << "the requested row was forgotten";
}

} // namespace
} // namespace rvwtest
