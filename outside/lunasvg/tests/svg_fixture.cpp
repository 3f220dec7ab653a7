#include "svg_fixture.h"

#include "svg2bmp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace svgtest {
namespace {

// Pixels this close to an edge may take any colour between the two sides:
// anti-aliasing, or its absence and the flattening of curves.
constexpr double kEdgeBand = 1.5;

} // namespace

std::wstring WriteTemp(const std::wstring& name, const std::string& text) {
    static const std::wstring folder = [] {
        wchar_t base[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, base);
        std::wstring f = std::wstring(base) + L"lunasvg_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(f.c_str(), nullptr);
        return f + L"\\";
    }();
    const std::wstring path = folder + name;
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f) {
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
    return path;
}

bool RenderFile(const std::wstring& path, int width, int height, Image* image) {
    HBITMAP bitmap = svg2bmp(path.c_str(), -height, -width, 0);
    if (!bitmap) return false;
    // Room for the colour masks some systems write after the header.
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{};
    info.header.biSize = sizeof info.header;
    HDC screen = GetDC(nullptr);
    auto* bits = reinterpret_cast<BITMAPINFO*>(&info);
    bool ok = GetDIBits(screen, bitmap, 0, 0, nullptr, bits, DIB_RGB_COLORS) != 0 &&
              info.header.biBitCount == 32;
    if (ok) {
        image->width = info.header.biWidth;
        image->height = std::abs(info.header.biHeight);
        image->pixels.assign(static_cast<size_t>(image->width) * image->height, 0);
        info.header.biHeight = -image->height; // top row first
        info.header.biCompression = BI_RGB;
        ok = GetDIBits(screen, bitmap, 0, static_cast<UINT>(image->height), image->pixels.data(),
                       bits, DIB_RGB_COLORS) == image->height;
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return ok;
}

bool Render(const std::string& svg, int width, int height, Image* image) {
    return RenderFile(WriteTemp(L"drawing.svg", svg), width, height, image);
}

Region Box(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return std::max({x0 - x, x - x1, y0 - y, y - y1}); };
}
Region Disc(double cx, double cy, double r) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}
Region RoundedBox(double x0, double y0, double x1, double y1, double r) {
    return [=](double x, double y) {
        const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
        const double qx = std::fabs(x - cx) - ((x1 - x0) / 2 - r);
        const double qy = std::fabs(y - cy) - ((y1 - y0) / 2 - r);
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
               r;
    };
}
Region Intersect(Region a, Region b) {
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}
Region Minus(Region a, Region b) {
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}
Region Unite(Region a, Region b) {
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Expected Painted(Region region, uint32_t inside, uint32_t outside) {
    return [=](double x, double y) -> std::optional<uint32_t> {
        const double d = region(x, y);
        if (d < -kEdgeBand) return inside;
        if (d > kEdgeBand) return outside;
        return std::nullopt;
    };
}

Expected Over(Expected top, Expected below) {
    return [=](double x, double y) -> std::optional<uint32_t> {
        const auto t = top(x, y);
        if (!t) return std::nullopt;
        return *t != kClear ? t : below(x, y);
    };
}

std::vector<std::string> Differences(const Image& image, const Expected& expected, int tolerance) {
    std::vector<std::string> found;
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const auto want = expected(x + 0.5, y + 0.5);
            if (!want) continue;
            const uint32_t seen = image.At(x, y);
            bool differs = false;
            for (int shift = 0; shift < 32; shift += 8) {
                const int a = static_cast<int>((seen >> shift) & 0xFF);
                const int b = static_cast<int>((*want >> shift) & 0xFF);
                // Colour of a fully transparent pixel does not matter.
                if (shift < 24 && (seen >> 24) == 0 && (*want >> 24) == 0) continue;
                differs = differs || std::abs(a - b) > tolerance;
            }
            if (differs && ++count <= 5) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d,%d) seen %08x wanted %08x", x, y,
                              static_cast<unsigned>(seen), static_cast<unsigned>(*want));
                found.push_back(text);
            }
        }
    if (count > 5) found.push_back("... " + std::to_string(count) + " pixels in all");
    return found;
}

} // namespace svgtest
