// Pixels of the themed drawing: Wine's light visual style, which test
// prefixes have switched on, against what the style itself draws.
#include "list_fixture.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace rvltest {
namespace {

// What the visual style draws for one part into a bitmap of `size`.
class Reference {
  public:
    Reference(HWND window, const wchar_t* themeClass, int part, int state, const RECT& r, SIZE size)
        : size_(size) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, size.cx, size.cy);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        HTHEME theme = OpenThemeData(window, themeClass);
        if (theme) {
            DrawThemeBackground(theme, dc_, part, state, &r, nullptr);
            CloseThemeData(theme);
        }
    }
    ~Reference() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

  private:
    SIZE size_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

class ThemedPainting : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        HTHEME header = OpenThemeData(window_, L"HEADER");
        ASSERT_NE(header, nullptr) << "the test prefix has no visual style switched on";
        CloseThemeData(header);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Name", 100, -1, 0, FormatEdit, 0), 1);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Done", 100, -1, 0, FormatProgress, 0), 1);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"On", 40, -1, 0, FormatCheck, 0), 1);
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(RvListCtrl_AddItem(list_, L"", -1, 0, 0), i);
        item_ = ItemHeight();
    }
    int item_ = 0;
};

TEST_F(ThemedPainting, ASelectedRowWithoutFocusIsGreyWithTwoFrames) {
    ASSERT_NE(GetFocus(), window_);
    RvListCtrl_SelectItem(list_, 1, 0, 0);
    Picture p(window_);
    const int top = 2 * item_, bottom = 3 * item_;
    EXPECT_EQ(p.At(50, top), RGB(0xFA, 0xFA, 0xFA)) << "outer frame";
    EXPECT_EQ(p.At(50, top + 2), RGB(0xEB, 0xEB, 0xEB)) << "inner frame, 2 pixels in";
    const COLORREF middle = p.At(50, (top + bottom) / 2);
    EXPECT_EQ(GetRValue(middle), GetBValue(middle)) << "a grey gradient";
    EXPECT_GE(GetRValue(middle), 0xDC);
    EXPECT_LE(GetRValue(middle), 0xF5);
    EXPECT_LT(GetRValue(p.At(50, top + 4)), GetRValue(p.At(50, bottom - 4))) << "top darker";
}

TEST_F(ThemedPainting, ANewListShowsTheDialogFaceAndStillAVisibleSelection) {
    RvListCtrl_SelectItem(list_, 1, 0, 0);
    Picture p(window_);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(p.At(300, 3 * item_ + 3), face) << "right of the columns";
    EXPECT_EQ(p.At(50, item_ + item_ / 2), face) << "an unselected row";
    EXPECT_NE(p.At(50, 2 * item_ + item_ / 2), face) << "the selected row";
    EXPECT_EQ(p.At(50, 2 * item_), RGB(0xFA, 0xFA, 0xFA));
}

TEST_F(ThemedPainting, ASelectedRowWithFocusHasTheBlueGradient) {
    ShowWindow(dialog_, SW_SHOW);
    SetFocus(window_);
    if (GetFocus() != window_) GTEST_SKIP() << "the display gives no focus";
    RvListCtrl_SelectItem(list_, 0, 0, 0);
    Picture p(window_);
    const COLORREF middle = p.At(50, item_ + item_ / 2);
    EXPECT_GT(GetBValue(middle), GetRValue(middle)) << "between 0xF5C8AA and 0xFAFAE6";
    EXPECT_EQ(p.At(50, item_), RGB(0xD2, 0xF0, 0xFA)) << "outer frame 0xFAF0D2";
    ShowWindow(dialog_, SW_HIDE);
}

TEST_F(ThemedPainting, TheHeaderIsDrawnByTheStyle) {
    Picture p(window_);
    const Reference normal(window_, L"HEADER", HP_HEADERITEM, HIS_NORMAL, {0, 0, 100, item_},
                           {100, item_});
    for (int y : {1, item_ / 2, item_ - 2})
        EXPECT_EQ(p.At(60, y), normal.At(60, y)) << y;
    const Reference rest(window_, L"HEADER", HP_HEADERITEM, HIS_NORMAL, {240, 0, kListWidth, item_},
                         {kListWidth, item_});
    EXPECT_EQ(p.At(300, item_ - 2), rest.At(300, item_ - 2)) << "right of the last column";
}

TEST_F(ThemedPainting, ProgressUsesTheStyleUnlessPlain) {
    RvListCtrl_SetItemProgress(list_, 1, 1, 50.0);
    Picture p(window_);
    // The cell spans 100 .. 200 on row 1; the bar is 3 and 2 pixels in.
    const int top = 2 * item_;
    const RECT bar{103, top + 2, 197, top + item_ - 2};
    const Reference trough(window_, L"PROGRESS", PP_BAR, 0, bar, {kListWidth, 3 * item_});
    const int y = top + item_ / 2;
    EXPECT_EQ(p.At(190, y), trough.At(190, y)) << "the empty part of the bar";
    const RECT chunk{106, top + 5, 106 + (195 - 106) / 2, top + item_ - 5};
    const Reference filled(window_, L"PROGRESS", PP_CHUNK, 0, chunk, {kListWidth, 3 * item_});
    EXPECT_EQ(p.At(120, y), filled.At(120, y)) << "the filled half";

    RvListCtrl_SetItemFormat(list_, 1, 1, FormatProgress, FlagProgressPlain);
    const COLORREF plain = Picture(window_).At(120, y);
    EXPECT_GT(GetGValue(plain), GetRValue(plain) + 40) << "our own green gradient";
}

TEST_F(ThemedPainting, CheckImagesAreTheSameThemedOrNot) {
    RvListCtrl_SetItemCheck(list_, 2, 2, 1);
    const RECT cell{200, 3 * item_, 240, 4 * item_};
    const int themed = Picture(window_).Count(cell, RGB(32, 32, 32));
    RvListCtrl_ShowThemed(list_, 0);
    EXPECT_GT(themed, 8);
    EXPECT_EQ(Picture(window_).Count(cell, RGB(32, 32, 32)), themed);
}

} // namespace
} // namespace rvltest
