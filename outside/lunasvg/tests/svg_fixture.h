// Rendering SVG text through svg2bmp and reading back the pixels, and
// expected images described by shapes with a band of tolerance at edges.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace svgtest {

// Non-premultiplied 0xAARRGGBB.
constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}
constexpr uint32_t kClear = 0;

struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // top row first
    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// A file of this test program's temporary folder holding `text`.
std::wstring WriteTemp(const std::wstring& name, const std::string& text);

// svg2bmp of the file as the image button calls it (negative sizes); false
// when it gave no bitmap.
bool RenderFile(const std::wstring& path, int width, int height, Image* image);
bool Render(const std::string& svg, int width, int height, Image* image);

// Signed distance of a pixel centre to a region: negative inside.
using Region = std::function<double(double x, double y)>;
Region Box(double x0, double y0, double x1, double y1);
Region Disc(double cx, double cy, double r);
Region RoundedBox(double x0, double y0, double x1, double y1, double r);
Region Intersect(Region a, Region b);
Region Minus(Region a, Region b);
Region Unite(Region a, Region b);

// What a pixel must be, or nothing where anti-aliasing decides.
using Expected = std::function<std::optional<uint32_t>(double x, double y)>;
// `inside` within the region, `outside` beyond it, with a band of 1.5 pixels.
Expected Painted(Region region, uint32_t inside, uint32_t outside = kClear);
// The first expectation wherever it has one, else the second.
Expected Over(Expected top, Expected below);

// The pixels that differ from the expected image by more than `tolerance`
// in a channel, as text ("(x,y) seen aarrggbb wanted aarrggbb"), at most a few.
std::vector<std::string> Differences(const Image& image, const Expected& expected,
                                     int tolerance = 10);

} // namespace svgtest
