// svg2bmp of a typical icon (24 paths of curves and lines, six of them also
// stroked) against drawing the same paths with GDI+ directly, in the same run.
#include "bench_timing.h"
#include "rv_gdiplus.h"
#include "svg2bmp.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kPaths = 24;
constexpr double kIconSize = 24; // user units of the icon's viewBox
constexpr int kRounds = 21;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTarget = 1.5; // at 512 x 512

struct Point {
    double x, y;
};

// One path: a move-to, then cubic segments (three points each), closed.
struct IconPath {
    Point start;
    std::vector<Point> curve;
    uint32_t rgb;
    bool stroked;
};

Point Around(double angle, double radius) {
    return {kIconSize / 2 + radius * std::cos(angle), kIconSize / 2 + radius * std::sin(angle)};
}

// A flower of petals, each a closed pair of Béziers from the centre to its tip.
std::vector<IconPath> Icon() {
    std::vector<IconPath> paths;
    for (int i = 0; i < kPaths; ++i) {
        const double a = i * 2 * kPi / kPaths, spread = 0.25;
        IconPath p;
        p.start = Around(a, 1.5);
        p.curve = {Around(a - spread, 6),      Around(a - spread / 2, 10), Around(a, 11),
                   Around(a + spread / 2, 10), Around(a + spread, 6),      p.start};
        p.rgb = 0x204080u + static_cast<uint32_t>(i * 0x0A0503);
        p.stroked = i % 4 == 0;
        paths.push_back(p);
    }
    return paths;
}

std::string IconSvg(const std::vector<IconPath>& icon) {
    std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 24 24'>";
    char part[160];
    for (const IconPath& p : icon) {
        std::snprintf(part, sizeof part, "<path fill='#%06x'%s d='M%.3f %.3f", p.rgb & 0xFFFFFF,
                      p.stroked ? " stroke='#202020' stroke-width='0.4'" : "", p.start.x,
                      p.start.y);
        svg += part;
        for (size_t k = 0; k + 2 < p.curve.size(); k += 3) {
            std::snprintf(part, sizeof part, " C%.3f %.3f %.3f %.3f %.3f %.3f", p.curve[k].x,
                          p.curve[k].y, p.curve[k + 1].x, p.curve[k + 1].y, p.curve[k + 2].x,
                          p.curve[k + 2].y);
            svg += part;
        }
        svg += "Z'/>";
    }
    return svg + "</svg>";
}

Gdiplus::PointF F(Point p) {
    return Gdiplus::PointF(static_cast<Gdiplus::REAL>(p.x), static_cast<Gdiplus::REAL>(p.y));
}

// The same paths drawn straight into a 32-bit bitmap, anti-aliased.
void DrawDirectly(const std::vector<IconPath>& icon, int size) {
    Gdiplus::Bitmap bitmap(size, size, PixelFormat32bppARGB);
    Gdiplus::Graphics g(&bitmap);
    g.Clear(Gdiplus::Color(0, 0, 0, 0));
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.ScaleTransform(static_cast<Gdiplus::REAL>(size / kIconSize),
                     static_cast<Gdiplus::REAL>(size / kIconSize));
    Gdiplus::Pen pen(Gdiplus::Color(255, 0x20, 0x20, 0x20), 0.4f);
    for (const IconPath& p : icon) {
        Gdiplus::GraphicsPath path;
        path.StartFigure();
        Gdiplus::PointF at = F(p.start);
        for (size_t k = 0; k + 2 < p.curve.size(); k += 3) {
            path.AddBezier(at, F(p.curve[k]), F(p.curve[k + 1]), F(p.curve[k + 2]));
            at = F(p.curve[k + 2]);
        }
        path.CloseFigure();
        Gdiplus::SolidBrush brush(
            Gdiplus::Color(255, (p.rgb >> 16) & 0xFF, (p.rgb >> 8) & 0xFF, p.rgb & 0xFF));
        g.FillPath(&brush, &path);
        if (p.stroked) g.DrawPath(&pen, &path);
    }
}

void Render(const std::wstring& file, int size) {
    HBITMAP bitmap = svg2bmp(file.c_str(), -size, -size, 0);
    if (bitmap) DeleteObject(bitmap);
}

} // namespace

int main() {
    if (!rv::EnsureGdiplus()) return 1;
    const std::vector<IconPath> icon = Icon();
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"bench_icon_24_paths.svg";
    const std::string svg = IconSvg(icon);
    FILE* f = _wfopen(file.c_str(), L"wb");
    if (!f) return 1;
    std::fwrite(svg.data(), 1, svg.size(), f);
    std::fclose(f);
    HBITMAP check = svg2bmp(file.c_str(), -64, -64, 0);
    if (!check) {
        std::printf("svg2bmp drew nothing\n");
        return 1;
    }
    DeleteObject(check);

    for (int size : {64, 512}) {
        // Alternated, so that both meet the same load from the rest of the machine.
        std::vector<double> direct, ours, ratios;
        for (int i = 0; i < kRounds; ++i) {
            direct.push_back(bench::MedianSeconds(3, [&] { DrawDirectly(icon, size); }));
            ours.push_back(bench::MedianSeconds(3, [&] { Render(file, size); }));
            ratios.push_back(ours.back() / direct.back());
        }
        const double ratio = bench::Percentile(ratios, 0.5);
        std::printf("24-path icon at %3d x %3d: GDI+ directly %7.3f ms  svg2bmp %7.3f ms  ratio "
                    "%5.2fx",
                    size, size, bench::Percentile(direct, 0.5) * 1e3,
                    bench::Percentile(ours, 0.5) * 1e3, ratio);
        if (size == 512)
            std::printf("  (target <= %.1fx: %s)", kTarget, ratio <= kTarget ? "met" : "MISSED");
        std::printf("\n");
    }
    DeleteFileW(file.c_str());
    return 0;
}
