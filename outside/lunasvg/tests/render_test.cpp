// Reference drawings rendered by svg2bmp and compared pixel by pixel with
// their expected images (edges, where anti-aliasing decides, are free).
#include "svg_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace svgtest {
namespace {

constexpr uint32_t kRed = Argb(255, 255, 0, 0);
constexpr uint32_t kBlue = Argb(255, 0, 0, 255);
constexpr uint32_t kLime = Argb(255, 0, 255, 0);
constexpr uint32_t kBlack = Argb(255, 0, 0, 0);

std::string Svg(const std::string& body, const std::string& root = "width='64' height='64'") {
    return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' " +
           root + ">" + body + "</svg>";
}

struct Reference {
    const char* name;
    std::string svg;
    Expected expected;
    int width = 64, height = 64;
};

Region Diamond(double cx, double cy, double half) {
    return [=](double x, double y) {
        return (std::fabs(x - cx) + std::fabs(y - cy) - half) / std::sqrt(2.0);
    };
}
Region Triangle(double x0, double y0, double x1, double y1, double x2, double y2) {
    const double turn = (x1 - x0) * (y2 - y0) - (y1 - y0) * (x2 - x0) > 0 ? 1 : -1;
    return [=](double x, double y) {
        // Distance beyond the edge a -> b, positive on the side away from the third corner.
        auto beyond = [&](double ax, double ay, double bx, double by) {
            const double cross = (bx - ax) * (y - ay) - (by - ay) * (x - ax);
            return -turn * cross / std::hypot(bx - ax, by - ay);
        };
        return std::max({beyond(x0, y0, x1, y1), beyond(x1, y1, x2, y2), beyond(x2, y2, x0, y0)});
    };
}

std::vector<Reference> References() {
    return {
        {"rect", Svg("<rect x='8' y='16' width='40' height='24' fill='red'/>"),
         Painted(Box(8, 16, 48, 40), kRed)},
        {"viewBox scales the user space",
         Svg("<circle cx='16' cy='16' r='8' fill='#00f'/>", "viewBox='0 0 32 32'"),
         Painted(Disc(32, 32, 16), kBlue)},
        {"viewBox keeps the aspect, centred",
         Svg("<rect width='100' height='50' fill='rgb(0, 255, 0)'/>",
             "width='64' height='64' viewBox='0 0 100 50'"),
         Painted(Box(0, 16, 64, 48), kLime)},
        {"preserveAspectRatio none stretches",
         Svg("<rect width='100' height='50' fill='lime'/>",
             "viewBox='0 0 100 50' preserveAspectRatio='none'"),
         Painted(Box(-5, -5, 70, 70), kLime)},
        {"ellipse with fill-opacity",
         Svg("<ellipse cx='32' cy='32' rx='24' ry='12' fill='blue' fill-opacity='0.5'/>"),
         Painted(Intersect(Box(8, 20, 56, 44),
                           [](double x, double y) {
                               return (std::hypot((x - 32) / 24, (y - 32) / 12) - 1) * 12;
                           }),
                 Argb(128, 0, 0, 255))},
        {"arc: a half disc", Svg("<path d='M16 32 A16 16 0 0 1 48 32 Z' fill='red'/>"),
         Painted(Intersect(Disc(32, 32, 16), Box(0, 0, 64, 32)), kRed)},
        {"arc: large and sweep flags pick the other three quarters",
         Svg("<path d='M32 16 A16 16 0 1 0 48 32 L32 32 Z' fill='red'/>"),
         Painted(Minus(Disc(32, 32, 16), Box(32, 0, 64, 32)), kRed)},
        {"relative commands, H and V, even-odd hole",
         Svg("<path fill-rule='evenodd' d='m8 8 h48 v48 h-48 z M24 24 H40 V40 H24 Z'/>"),
         Painted(Minus(Box(8, 8, 56, 56), Box(24, 24, 40, 40)), kBlack)},
        {"non-zero fill keeps the inner square",
         Svg("<path d='M8 8 H56 V56 H8 Z M24 24 H40 V40 H24 Z'/>"),
         Painted(Box(8, 8, 56, 56), kBlack)},
        {"translate and rotate about the origin",
         Svg("<g transform='translate(32 32) rotate(45)'><rect x='-8' y='-8' width='16' "
             "height='16' fill='red'/></g>"),
         Painted(Diamond(32, 32, 8 * std::sqrt(2.0)), kRed)},
        {"rotate about a point and matrix",
         Svg("<rect x='24' y='24' width='16' height='16' transform='rotate(90 32 32)' "
             "fill='red'/><rect width='4' height='4' transform='matrix(2 0 0 2 4 4)' "
             "fill='blue'/>"),
         Over(Painted(Box(4, 4, 12, 12), kBlue), Painted(Box(24, 24, 40, 40), kRed))},
        {"skewX",
         Svg("<rect x='0' y='16' width='16' height='32' transform='skewX(45)' fill='red'/>"),
         Painted(
             [](double x, double y) {
                 return std::max(
                     {16 - y, y - 48, (y - x) / std::sqrt(2.0), (x - y - 16) / std::sqrt(2.0)});
             },
             kRed)},
        {"rounded rect", Svg("<rect x='8' y='8' width='48' height='48' rx='12' fill='red'/>"),
         Painted(RoundedBox(8, 8, 56, 56, 12), kRed)},
        {"ry alone rounds both ways",
         Svg("<rect x='8' y='8' width='48' height='48' ry='16' fill='red'/>"),
         Painted(RoundedBox(8, 8, 56, 56, 16), kRed)},
        {"stroke with butt caps",
         Svg("<line x1='8' y1='32' x2='56' y2='32' stroke='blue' stroke-width='8'/>"),
         Painted(Box(8, 28, 56, 36), kBlue)},
        {"stroke with square caps",
         Svg("<line x1='12' y1='32' x2='52' y2='32' stroke='blue' stroke-width='8' "
             "stroke-linecap='square'/>"),
         Painted(Box(8, 28, 56, 36), kBlue)},
        {"stroke with round caps",
         Svg("<line x1='16' y1='32' x2='48' y2='32' stroke='blue' stroke-width='16' "
             "stroke-linecap='round'/>"),
         Painted(Unite(Box(16, 24, 48, 40), Unite(Disc(16, 32, 8), Disc(48, 32, 8))), kBlue)},
        {"fill and stroke of a circle, stroke-opacity",
         Svg("<circle cx='32' cy='32' r='20' fill='red' stroke='blue' stroke-width='8' "
             "stroke-opacity='1'/>"),
         Over(Painted(Minus(Disc(32, 32, 24), Disc(32, 32, 16)), kBlue),
              Painted(Disc(32, 32, 16), kRed))},
        {"polygon and polyline",
         Svg("<polygon points='8,56 32,8 56,56' fill='lime'/>"
             "<polyline points='0 0, 8 0' stroke='red' stroke-width='4' fill='none'/>"),
         Over(Painted(Box(0, -2, 8, 2), kRed), Painted(Triangle(8, 56, 32, 8, 56, 56), kLime))},
        {"defs and use, with inherited fill",
         Svg("<defs><circle id='dot' r='8'/><rect id='sq' width='8' height='8' fill='red'/>"
             "</defs><use href='#dot' x='16' y='16' fill='blue'/>"
             "<use xlink:href='#sq' x='40' y='40' fill='blue'/>"),
         Over(Painted(Disc(16, 16, 8), kBlue), Painted(Box(40, 40, 48, 48), kRed))},
        {"style beats presentation attributes; group inheritance",
         Svg("<g fill='red' stroke='none'><rect width='32' height='64' style='fill: #0f0'/>"
             "<rect x='32' width='32' height='64'/></g>"),
         Over(Painted(Box(0, 0, 32, 64), kLime), Painted(Box(32, 0, 64, 64), kRed))},
        {"opacity multiplies down a group",
         Svg("<g opacity='0.5'><rect width='64' height='64' fill='red' fill-opacity='0.5'/></g>"),
         Painted(Box(-1, -1, 65, 65), Argb(64, 255, 0, 0))},
        {"display none and unknown elements draw nothing",
         Svg("<rect width='64' height='64' fill='red' display='none'/>"
             "<foo><rect width='64' height='64' fill='red'/></foo>"
             "<text x='10' y='10'>text</text><rect x='8' y='8' width='8' height='8' "
             "fill='currentColor' "
             "color='blue'/>"),
         Painted(Box(8, 8, 16, 16), kBlue)},
        {"a nested svg is a viewport",
         Svg("<svg x='32' y='32' width='32' height='32' viewBox='0 0 2 2'><rect width='1' "
             "height='1' fill='red'/></svg>"),
         Painted(Box(32, 32, 48, 48), kRed)},
    };
}

TEST(Svg2Bmp, ReferenceDrawingsMatchTheirExpectedImages) {
    for (const Reference& r : References()) {
        SCOPED_TRACE(r.name);
        Image image;
        ASSERT_TRUE(Render(r.svg, r.width, r.height, &image));
        ASSERT_EQ(image.width, r.width);
        ASSERT_EQ(image.height, r.height);
        for (const std::string& d : Differences(image, r.expected))
            ADD_FAILURE() << d;
    }
}

TEST(Svg2Bmp, CurvesPassThroughTheirPoints) {
    // Quadratic apex at (32, 16); its smooth continuation mirrors the control point.
    Image image;
    ASSERT_TRUE(Render(Svg("<path d='M8 56 Q32 -24 56 56 Z' fill='red'/>"
                           "<path d='M0 64 C0 48 16 48 16 64 S32 80 32 64' fill='blue'/>"),
                       64, 64, &image));
    EXPECT_EQ(image.At(32, 20), kRed);
    EXPECT_EQ(image.At(32, 11) >> 24, 0u);
    EXPECT_EQ(image.At(8, 60), kBlue) << "cubic bump above y 64";
    EXPECT_EQ(image.At(8, 50) >> 24, 0u);
}

TEST(Svg2Bmp, GradientsRunBetweenTheirStopsAndPadBeyond) {
    Image image;
    ASSERT_TRUE(
        Render(Svg("<defs><linearGradient id='g' x1='25%' x2='75%'>"
                   "<stop offset='0' stop-color='red'/><stop offset='1' "
                   "style='stop-color:blue'/></linearGradient>"
                   "<linearGradient id='h' xlink:href='#g' gradientTransform='rotate(90 "
                   ".5 .5)'/>"
                   "<radialGradient id='r'><stop offset='0%' stop-color='white'/>"
                   "<stop offset='100%' stop-color='black'/></radialGradient></defs>"
                   "<rect width='64' height='32' fill='url(#g)'/>"
                   "<rect y='32' width='32' height='32' fill='url(#r)'/>"
                   "<rect x='32' y='32' width='32' height='32' fill='url(#missing) lime'/>"),
               64, 64, &image));
    auto similar = [](uint32_t seen, uint32_t want) {
        for (int shift = 0; shift < 32; shift += 8)
            if (std::abs(static_cast<int>((seen >> shift) & 0xFF) -
                         static_cast<int>((want >> shift) & 0xFF)) > 16)
                return false;
        return true;
    };
    EXPECT_TRUE(similar(image.At(4, 16), kRed)) << std::hex << image.At(4, 16);
    EXPECT_TRUE(similar(image.At(60, 16), kBlue)) << std::hex << image.At(60, 16);
    EXPECT_TRUE(similar(image.At(32, 16), Argb(255, 128, 0, 128))) << std::hex << image.At(32, 16);
    EXPECT_TRUE(similar(image.At(16, 48), Argb(255, 255, 255, 255)))
        << std::hex << image.At(16, 48);
    EXPECT_TRUE(similar(image.At(1, 33), kBlack)) << std::hex << image.At(1, 33);
    EXPECT_TRUE(similar(image.At(48, 48), kLime)) << "a missing gradient falls back to its colour";
}

TEST(Svg2Bmp, SizesComeFromTheCallerOrTheFile) {
    Image image;
    const std::wstring path = WriteTemp(
        L"sized.svg", Svg("<rect width='10' height='10' fill='red'/>", "width='40' height='20'"));
    ASSERT_TRUE(RenderFile(path, 0, 0, &image));
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 20);
    ASSERT_TRUE(RenderFile(path, 80, 40, &image));
    EXPECT_EQ(image.At(15, 15), kRed) << "scaled twice";
    EXPECT_EQ(image.At(25, 25) >> 24, 0u);
    const std::wstring box = WriteTemp(L"box.svg", Svg("", "viewBox='0 0 30 15'"));
    ASSERT_TRUE(RenderFile(box, 0, 0, &image));
    EXPECT_EQ(image.width, 30);
    EXPECT_EQ(image.height, 15);
}

} // namespace
} // namespace svgtest
