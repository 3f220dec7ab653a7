// The image button: loading by file type, rotation and flips, checked on the
// pixels it paints.
#include "control_fixture.h"

#include <string>
#include <vector>

namespace rvwtest {
namespace {

constexpr int kSide = 64;
constexpr COLORREF kBackground = RGB(12, 34, 56);

using Colours = std::vector<COLORREF>;

class ImageButton : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        button_ = Add(L"image", L"RvButton", 0, 0, 40);
        ASSERT_EQ(RvButton_IsRvButtonWindow(HandleOf(button_)), 1);
        SetWindowPos(button_, nullptr, 0, 0, kSide, kSide, SWP_NOMOVE | SWP_NOZORDER);
    }
    Colours Quadrants() const { return Painted(button_, kBackground).Quadrants(); }
    void ExpectQuadrants(const Colours& expected) const {
        const Colours seen = Quadrants();
        ASSERT_EQ(seen.size(), expected.size());
        for (size_t i = 0; i < seen.size(); ++i)
            EXPECT_TRUE(Near(seen[i], expected[i]))
                << "quadrant " << i << ": " << std::hex << seen[i] << " for " << expected[i];
    }
    int Load(const std::wstring& path) {
        return RvButton_SetImage(HandleOf(button_), path.c_str());
    }

    HWND button_ = nullptr;
};

const Colours kUpright = {kTopLeft, kTopRight, kBottomLeft, kBottomRight};

TEST_F(ImageButton, RotationsAndFlipsTurnThePaintedImage) {
    const std::wstring path = TempFile(L"quadrants.bmp");
    WriteQuadrantBitmap(path, 32);
    ASSERT_EQ(Load(path), 0);
    ExpectQuadrants(kUpright);
    const struct {
        uint32_t bits;
        Colours expected;
    } cases[] = {
        {1, {kBottomLeft, kTopLeft, kBottomRight, kTopRight}}, // a quarter turn clockwise
        {3, {kTopRight, kBottomRight, kTopLeft, kBottomLeft}}, // three quarters
        {2, {kBottomRight, kBottomLeft, kTopRight, kTopLeft}},
        {4, {kTopRight, kTopLeft, kBottomRight, kBottomLeft}},     // flipped left to right
        {4, kUpright},                                             // flips add up
        {8, {kBottomLeft, kBottomRight, kTopLeft, kTopRight}},     // flipped upside down
        {8 | 1, {kBottomLeft, kTopLeft, kBottomRight, kTopRight}}, // flipped back, turned
        {0, kUpright},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "bits " << c.bits);
        EXPECT_EQ(RvButton_SetRotationFlip(HandleOf(button_), c.bits), 0);
        ExpectQuadrants(c.expected);
    }
}

TEST_F(ImageButton, AWideImageKeepsItsAspectAndFitsWhenTurned) {
    SetWindowPos(button_, nullptr, 0, 0, 80, 40, SWP_NOMOVE | SWP_NOZORDER);
    const std::wstring path = TempFile(L"wide.bmp");
    WriteQuadrantBitmap(path, 32); // loaded at the button's size: 80 x 40
    ASSERT_EQ(Load(path), 0);
    Painted upright(button_, kBackground);
    EXPECT_TRUE(Near(upright.At(2, 2), kTopLeft)) << "fills the button";
    EXPECT_TRUE(Near(upright.At(77, 37), kBottomRight));
    RvButton_SetRotationFlip(HandleOf(button_), 1);
    Painted turned(button_, kBackground);
    const COLORREF blank = Painted(Add(L"blank", L"RvButton"), kBackground).At(1, 1);
    // Turned across, the 2:1 image is 20 wide and 40 high about the centre;
    // beside it the button's background, with nothing of the upright image.
    EXPECT_TRUE(Near(turned.At(10, 20), blank));
    EXPECT_TRUE(Near(turned.At(70, 20), blank));
    EXPECT_FALSE(Near(blank, kBackground)) << "the button fills its own background";
    EXPECT_TRUE(Near(turned.At(35, 5), kBottomLeft));
    EXPECT_TRUE(Near(turned.At(45, 5), kTopLeft));
}

TEST_F(ImageButton, AnUpperCaseSvgIsDrawnByTheSvgLibrary) {
    const std::wstring path = TempFile(L"quadrants.SVG");
    WriteFile(path, QuadrantSvg(32));
    ASSERT_EQ(Load(path), 0);
    ExpectQuadrants(kUpright);
    RvButton_SetRotationFlip(HandleOf(button_), 3);
    ExpectQuadrants({kTopRight, kBottomRight, kTopLeft, kBottomLeft});
    EXPECT_NE(GetModuleHandleW(L"lunasvg.dll"), nullptr);
}

TEST_F(ImageButton, AnEnhancedMetafileIsPlayedAtTheButtonsSize) {
    const std::wstring path = TempFile(L"quadrants.emf");
    HDC recorder = CreateEnhMetaFileW(nullptr, path.c_str(), nullptr, nullptr);
    ASSERT_NE(recorder, nullptr);
    const struct {
        RECT r;
        COLORREF c;
    } quarters[] = {{{0, 0, 50, 50}, kTopLeft},
                    {{50, 0, 100, 50}, kTopRight},
                    {{0, 50, 50, 100}, kBottomLeft},
                    {{50, 50, 100, 100}, kBottomRight}};
    for (const auto& q : quarters) {
        HBRUSH brush = CreateSolidBrush(q.c);
        FillRect(recorder, &q.r, brush);
        DeleteObject(brush);
    }
    DeleteEnhMetaFile(CloseEnhMetaFile(recorder));
    ASSERT_EQ(Load(path), 0);
    ExpectQuadrants(kUpright);
}

TEST_F(ImageButton, PathsWithoutAnExtensionOrUnreadableFilesLoadNothing) {
    const Colours blank = Quadrants();
    const std::wstring bare = TempFile(L"quadrants_bmp");
    WriteQuadrantBitmap(bare, 32);
    ASSERT_EQ(Load(bare), 0);
    {
        SCOPED_TRACE("a good bitmap, but no '.' in its path");
        ExpectQuadrants(blank);
    }
    const std::wstring path = TempFile(L"good.bmp");
    WriteQuadrantBitmap(path, 32);
    ASSERT_EQ(Load(path), 0);
    const std::wstring broken = TempFile(L"broken.svg");
    WriteFile(broken, "<svg><path d='M 0 0 L");
    const std::wstring notBitmap = TempFile(L"text.bmp");
    WriteFile(notBitmap, "not a bitmap");
    for (const std::wstring& bad :
         {broken, notBitmap, TempFile(L"missing.ico"), TempFile(L"missing.emf"), std::wstring()}) {
        SCOPED_TRACE("the previous image stays");
        EXPECT_EQ(Load(bad), 0);
        ExpectQuadrants(kUpright);
    }
    EXPECT_EQ(RvButton_SetImage(HandleOf(button_), nullptr), 0);
    ExpectQuadrants(kUpright);
}

TEST_F(ImageButton, WithoutAnImageTheStaticPaintsAsUsual) {
    const Colours blank = Quadrants();
    EXPECT_FALSE(Near(blank[0], kBackground)) << "the static fills its background itself";
    EXPECT_EQ(RvButton_SetRotationFlip(HandleOf(button_), 4 | 8 | 1), 0);
    ExpectQuadrants(blank);
}

} // namespace
} // namespace rvwtest
