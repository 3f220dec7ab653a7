// svg2bmp: an SVG file drawn anti-aliased into a 32-bit DIB section.
#include "svg2bmp.h"

#include "rv_gdiplus.h"
#include "svg_numbers.h"
#include "svg_renderer.h"
#include "xml_reader.h"

#include <cmath>
#include <string>

namespace {

constexpr LONGLONG kLargestFile = 16 * 1024 * 1024; // icons are a few kilobytes
constexpr int kLargestSide = 8192;                  // of the bitmap, in pixels
constexpr double kFallbackSide = 100;               // for a file that names no size

class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }

  private:
    HANDLE h_;
};

// The whole file, or false when it cannot be read or is too large for an icon.
bool ReadWholeFile(const wchar_t* path, std::string* text) {
    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFile) return false;
    text->resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!text->empty() &&
        (!ReadFile(file.get(), text->data(), static_cast<DWORD>(text->size()), &read, nullptr) ||
         read != text->size()))
        return false;
    return true;
}

// Geometry out of all proportion marks a hostile file.
bool HasHugeGeometry(const svg::Element& e) {
    static const char* const kGeometry[] = {"x",
                                            "y",
                                            "width",
                                            "height",
                                            "rx",
                                            "ry",
                                            "cx",
                                            "cy",
                                            "r",
                                            "x1",
                                            "y1",
                                            "x2",
                                            "y2",
                                            "fx",
                                            "fy",
                                            "points",
                                            "d",
                                            "transform",
                                            "viewBox",
                                            "stroke-width",
                                            "style",
                                            "offset",
                                            "gradientTransform"};
    for (const auto& a : e.attributes)
        for (const char* name : kGeometry)
            if (a.first == name && svg::HasHugeNumber(a.second)) return true;
    for (const auto& child : e.children)
        if (HasHugeGeometry(*child)) return true;
    return false;
}

// The pixel size: the magnitudes given, or the document's own size for zeros.
bool BitmapSize(const svg::Element& root, double height, double width, int* w, int* h) {
    double iw = kFallbackSide, ih = kFallbackSide;
    svg::IntrinsicSize(root, &iw, &ih);
    const double ow = width != 0 ? std::fabs(width) : iw;
    const double oh = height != 0 ? std::fabs(height) : ih;
    if (!(ow >= 1 && oh >= 1 && ow <= kLargestSide && oh <= kLargestSide)) return false;
    *w = static_cast<int>(std::lround(ow));
    *h = static_cast<int>(std::lround(oh));
    return true;
}

} // namespace

extern "C" HBITMAP svg2bmp(const wchar_t* path, double height, double width, int /*flags*/) {
    try {
        if (!path || !rv::EnsureGdiplus()) return nullptr;
        std::string text;
        if (!ReadWholeFile(path, &text)) return nullptr;
        const std::unique_ptr<svg::Element> root = svg::ReadXml(text);
        int w = 0, h = 0;
        if (!root || HasHugeGeometry(*root) || !BitmapSize(*root, height, width, &w, &h))
            return nullptr;

        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h; // top row first, as GDI+ lays out its rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap || !bits) {
            if (bitmap) DeleteObject(bitmap);
            return nullptr;
        }
        bool drawn = false;
        {
            // GDI+ draws straight into the section's pixels, alpha included.
            Gdiplus::Bitmap canvas(w, h, w * 4, PixelFormat32bppARGB, static_cast<BYTE*>(bits));
            Gdiplus::Graphics g(&canvas);
            if (canvas.GetLastStatus() == Gdiplus::Ok && g.GetLastStatus() == Gdiplus::Ok) {
                g.Clear(Gdiplus::Color(0, 0, 0, 0));
                g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
                g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
                g.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
                drawn = svg::RenderDocument(*root, g, w, h);
                g.Flush(Gdiplus::FlushIntentionSync);
            }
        }
        if (!drawn) {
            DeleteObject(bitmap);
            return nullptr;
        }
        GdiFlush();
        return bitmap;
    } catch (...) {
        return nullptr; // out of memory: no bitmap
    }
}
