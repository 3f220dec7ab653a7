// The title tip: shown over a cell whose text is cut off, never for check
// boxes and progress bars, placed over the text, passing clicks on to the
// list, and painted themed and plain.
#include "list_fixture.h"
#include "message_pump.h"

namespace rvltest {
namespace {

const wchar_t kLongText[] = L"a text far too long for a column eighty pixels wide";

// The title tip popup of `list`, or null: a popup created for a child
// window is owned by that window's top-level window.
HWND TitleTip(HWND list) {
    HWND owner = GetAncestor(list, GA_ROOT);
    for (HWND w = FindWindowExW(nullptr, nullptr, L"RvListCtrlTitleTip", nullptr); w;
         w = FindWindowExW(nullptr, w, L"RvListCtrlTitleTip", nullptr))
        if (GetWindow(w, GW_OWNER) == owner) return w;
    return nullptr;
}

class TitleTips : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        AddColumns(4);
        AddItems(4);
        ShowWindow(dialog_, SW_SHOW);
        RvListCtrl_SetItemText(list_, 1, 0, kLongText);
        RvListCtrl_SetItemText(list_, 1, 1, kLongText);
    }
    void TearDown() override {
        ReleaseCapture();
        ListTest::TearDown();
    }
    int Offer(int item, int column) {
        const POINT p = CellCentre(item, column);
        return RvListCtrl_ShowTitleTip(list_, p.x, p.y, item, column);
    }
    RECT TipRect() const {
        RECT r{};
        GetWindowRect(TitleTip(window_), &r);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(TitleTips, OnlyTextThatDoesNotFitGetsATip) {
    ASSERT_NE(TitleTip(window_), nullptr);
    EXPECT_EQ(Offer(2, 1), 0) << "\"r2c1\" fits";
    EXPECT_FALSE(IsWindowVisible(TitleTip(window_)));
    EXPECT_EQ(Offer(1, 1), 1);
    EXPECT_TRUE(IsWindowVisible(TitleTip(window_)));
    EXPECT_EQ(GetCapture(), TitleTip(window_));
    EXPECT_EQ(Offer(2, 1), 0) << "another cell hides it";
    EXPECT_FALSE(IsWindowVisible(TitleTip(window_)));
    EXPECT_NE(GetCapture(), TitleTip(window_));
    // Outside the cell's text area: no tip.
    int32_t left, top, right, bottom;
    RvListCtrl_GetItemRect(list_, 1, 1, &left, &top, &right, &bottom);
    EXPECT_EQ(RvListCtrl_ShowTitleTip(list_, left + 2, (top + bottom) / 2, 1, 1), 0);
    EXPECT_EQ(RvListCtrl_ShowTitleTip(list_, right - 2, (top + bottom) / 2, 1, 1), 0);
    EXPECT_EQ(RvListCtrl_ShowTitleTip(list_, 10, 10, 30, 1), 0) << "no such item";
}

TEST_F(TitleTips, NeverForCheckBoxesOrProgressBars) {
    const uint32_t formats[] = {FormatCheck, FormatCheck3, FormatProgress};
    for (uint32_t format : formats) {
        RvListCtrl_SetItemFormat(list_, 1, 1, format, 0);
        RvListCtrl_SetItemText(list_, 1, 1, kLongText);
        EXPECT_EQ(Offer(1, 1), 0) << "format " << format;
    }
    // A date cell is measured as it is shown.
    RvListCtrl_SetColumnWidth(list_, 2, 30);
    RvListCtrl_SetItemFormat(list_, 1, 2, FormatDateTime, 0);
    RvListCtrl_SetItemText(list_, 1, 2, L"20240309140512");
    EXPECT_EQ(Offer(1, 2), 1);
}

TEST_F(TitleTips, TheTipLiesOverTheTextAndIsItsWidthPlusEleven) {
    int32_t left, top, right, bottom;
    for (int column : {0, 1}) {
        ASSERT_EQ(Offer(1, column), 1);
        RvListCtrl_GetItemRect(list_, 1, column, &left, &top, &right, &bottom);
        const RECT tip = TipRect();
        EXPECT_EQ(tip.left, left + (column == 0 ? 4 : 3)) << "column " << column;
        EXPECT_EQ(tip.top, top);
        EXPECT_EQ(tip.bottom, bottom);
        EXPECT_GT(tip.right - tip.left, right - left) << "the whole text";
        RvListCtrl_HideTitleTip(list_, 1);
    }
    // The width: the text measured in the message font, plus 11.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font);
    RECT text{};
    DrawTextW(dc, kLongText, -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    DeleteObject(font);
    ASSERT_EQ(Offer(1, 1), 1);
    EXPECT_EQ(TipRect().right - TipRect().left, text.right + 11);
}

TEST_F(TitleTips, HidingWithoutResetKeepsTheCellUntilAnotherOneOrAReset) {
    ASSERT_EQ(Offer(1, 1), 1);
    EXPECT_EQ(RvListCtrl_HideTitleTip(list_, 0), 1);
    EXPECT_FALSE(IsWindowVisible(TitleTip(window_)));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Offer(1, 1), 0) << "the same cell again: nothing";
    RvListCtrl_HideTitleTip(list_, 1);
    EXPECT_EQ(Offer(1, 1), 1) << "after a reset it shows again";
}

TEST_F(TitleTips, MovingTheMouseOverACutOffCellShowsItAndAClickOnItReachesTheList) {
    Mouse(WM_MOUSEMOVE, CellCentre(1, 0));
    HWND tip = TitleTip(window_);
    ASSERT_TRUE(IsWindowVisible(tip));
    // A press on the tip, in its client coordinates, is posted to the list.
    notifications_.clear();
    POINT p = CellCentre(1, 0);
    MapWindowPoints(window_, tip, &p, 1);
    SendMessageW(tip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(tip, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Codes().size() >= 2; }));
    EXPECT_EQ(Codes(), (std::vector<int>{ListSelected, ListLeftClick}));
    EXPECT_EQ(Notifications()[0].item, 1);
    EXPECT_EQ(Notifications()[0].column, 0);
    EXPECT_FALSE(IsWindowVisible(tip)) << "a click hides it";

    // Leaving the tip's rectangle hides it and lets the mouse go.
    RvListCtrl_HideTitleTip(list_, 1);
    Mouse(WM_MOUSEMOVE, CellCentre(1, 1));
    ASSERT_TRUE(IsWindowVisible(tip));
    SendMessageW(tip, WM_MOUSEMOVE, 0, MAKELPARAM(-20, -20));
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_NE(GetCapture(), tip);
}

TEST_F(TitleTips, NoTipWhileAnEditorIsOpen) {
    RvListCtrl_SetColumnFormat(list_, 1, FormatEdit, 0);
    SetFocus(window_);
    if (GetFocus() != window_) GTEST_SKIP() << "the display gives no focus";
    Click(CellCentre(1, 1));
    ASSERT_NE(FindWindowExW(window_, nullptr, L"Edit", nullptr), nullptr);
    EXPECT_EQ(Offer(1, 0), 0);
}

TEST_F(TitleTips, ThemedAndPlainPainting) {
    ASSERT_EQ(Offer(1, 1), 1);
    HWND tip = TitleTip(window_);
    const Picture themed(tip);
    const int w = themed.width(), h = themed.height();
    ASSERT_GT(w, 20);
    EXPECT_EQ(themed.At(0, h / 2), RGB(0xDC, 0xDC, 0xDC)) << "the outer frame";
    EXPECT_EQ(themed.At(1, h / 2), RGB(0xF5, 0xF5, 0xF5)) << "the inner frame, one pixel in";
    // The gradient runs from light at the top to darker at the bottom.
    const COLORREF high = themed.At(w - 4, 3), low = themed.At(w - 4, h - 4);
    EXPECT_GT(GetRValue(high), GetRValue(low));
    EXPECT_GE(GetRValue(high), 0xEB);
    EXPECT_LE(GetRValue(low), 0xFA);

    RvListCtrl_HideTitleTip(list_, 1);
    RvListCtrl_ShowThemed(list_, 0); // re-creates the tip
    ASSERT_EQ(Offer(1, 1), 1);
    tip = TitleTip(window_);
    const Picture plain(tip);
    EXPECT_EQ(plain.At(0, plain.height() / 2), GetSysColor(COLOR_INFOTEXT)) << "the frame";
    EXPECT_EQ(plain.At(plain.width() - 3, 2), GetSysColor(COLOR_INFOBK)) << "the fill";
}

} // namespace
} // namespace rvltest
