// The background colour: erasing and the colours handed to controls.
#include "builder_fixture.h"

namespace rvwtest {
namespace {

constexpr COLORREF kPreset = RGB(1, 2, 3);

struct Painted {
    INT_PTR erased; // what the dialog procedure answers to WM_ERASEBKGND
    COLORREF pixel; // the client area after erasing over kPreset
    INT_PTR brush;  // what it answers to WM_CTLCOLORSTATIC
    int bkMode;
    COLORREF bkColour;
};

Painted Paint(HWND dialog) {
    Painted p{};
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(9, 9, 9));
    p.erased = DialogProcOf(dialog)(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    p.brush = DialogProcOf(dialog)(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
    p.bkMode = GetBkMode(dc);
    p.bkColour = GetBkColor(dc);
    DeleteDC(dc);
    p.pixel = ErasedPixel(dialog, 5, 5, kPreset);
    return p;
}

TEST_F(BuilderDialog, WithoutABackgroundColourTheSystemPaints) {
    const Painted p = Paint(dialog_);
    EXPECT_EQ(p.erased, 0);
    EXPECT_EQ(p.brush, 0);
    EXPECT_EQ(p.bkMode, OPAQUE) << "the device context is left alone";
    EXPECT_EQ(p.pixel, GetSysColor(COLOR_3DFACE));
}

TEST_F(BuilderDialog, BackgroundColoursAndStockBrushes) {
    struct Case {
        uint32_t colour;
        bool painted;
        COLORREF pixel;
        HGDIOBJ stock; // the stock object handed out, when one is
    };
    const Case cases[] = {
        {0, true, RGB(255, 255, 255), GetStockObject(WHITE_BRUSH)},
        {0x00FFFFFF, true, RGB(255, 255, 255), nullptr},
        {0x000000FF, true, RGB(255, 0, 0), nullptr},
        {4, true, RGB(0, 0, 0), GetStockObject(BLACK_BRUSH)},
        // 5 is the null brush: a colour of 0 that paints nothing, not a dark red.
        {5, true, kPreset, GetStockObject(NULL_BRUSH)},
        {0x00000013, true, RGB(0x13, 0, 0), nullptr},
        {0xFFFFFFFF, false, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour);
        ASSERT_EQ(RvDialog_SetBkColor(handle_, c.colour), 0);
        const Painted p = Paint(dialog_);
        if (!c.painted) {
            EXPECT_EQ(p.erased, 0);
            EXPECT_EQ(p.brush, 0);
            EXPECT_EQ(p.pixel, GetSysColor(COLOR_3DFACE));
            continue;
        }
        EXPECT_EQ(p.erased, 1);
        EXPECT_EQ(p.pixel, c.pixel);
        ASSERT_NE(p.brush, 0);
        EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(p.brush)), static_cast<DWORD>(OBJ_BRUSH));
        if (c.stock) {
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(p.brush), c.stock);
        }
        EXPECT_EQ(p.bkMode, TRANSPARENT);
        LOGBRUSH lb;
        GetObjectW(reinterpret_cast<HGDIOBJ>(p.brush), sizeof lb, &lb);
        EXPECT_EQ(p.bkColour, lb.lbColor);
    }
}

TEST_F(BuilderDialog, StockObjectsThatAreNoBrushesGiveNoBackground) {
    // Pens, fonts and the palette: nothing to paint a background with.
    for (uint32_t stock : {6u, 7u, 8u, 9u, 10u, 13u, 15u, 17u}) {
        SCOPED_TRACE(stock);
        RvDialog_SetBkColor(handle_, 0x0000FF00);
        ASSERT_EQ(RvDialog_SetBkColor(handle_, stock), 0);
        const Painted p = Paint(dialog_);
        EXPECT_EQ(p.erased, 0);
        EXPECT_EQ(p.brush, 0);
    }
}

TEST_F(BuilderDialog, ANewColourReleasesTheOldBrush) {
    RvDialog_SetBkColor(handle_, 0x00123456);
    const auto old = reinterpret_cast<HGDIOBJ>(Paint(dialog_).brush);
    ASSERT_EQ(GetObjectType(old), static_cast<DWORD>(OBJ_BRUSH));
    RvDialog_SetBkColor(handle_, 0x00654321);
    EXPECT_EQ(GetObjectType(old), 0u);
    EXPECT_EQ(Paint(dialog_).pixel, static_cast<COLORREF>(0x00654321));
    RvDialog_SetBkColor(handle_, 0);
    RvDialog_SetBkColor(handle_, 1);
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), static_cast<DWORD>(OBJ_BRUSH))
        << "stock brushes are never deleted";
}

TEST_F(BuilderDialog, ColourMessagesNeverReachHandlers) {
    RvDialog_AddMessageHandler(handle_, nullptr, 0, 0xFFFF, 0, 0, 0, 0, LogHandler, L"all");
    RvDialog_SetBkColor(handle_, 0x00FF0000);
    Paint(dialog_);
    EXPECT_EQ(HandlerLog().Count(WM_ERASEBKGND), 0u);
    EXPECT_EQ(HandlerLog().Count(WM_CTLCOLORSTATIC), 0u);
    SendMessageW(dialog_, WM_APP, 0, 0);
    EXPECT_EQ(HandlerLog().Count(WM_APP), 1u);
}

} // namespace
} // namespace rvwtest
