#include "image_loading.h"

#include "svg_library.h"

#include <cstdlib>

namespace rvw {
namespace {

constexpr int kLargestSide = 16384; // of a drawing the renderer hands back

bool SameText(const std::wstring& a, const wchar_t* b) {
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

class GdiObject {
  public:
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() {
        if (object_) DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ get() const { return object_; }

  private:
    HGDIOBJ object_;
};

class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

std::unique_ptr<Gdiplus::Bitmap> Usable(Gdiplus::Bitmap* bitmap) {
    std::unique_ptr<Gdiplus::Bitmap> owned(bitmap);
    if (!owned || owned->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return owned;
}

LoadedImage FromBitmapFile(const std::wstring& path, int width, int height) {
    GdiObject bitmap(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, width, height,
                                LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    if (!bitmap.get()) return {};
    LoadedImage loaded;
    loaded.image =
        Usable(Gdiplus::Bitmap::FromHBITMAP(static_cast<HBITMAP>(bitmap.get()), nullptr));
    return loaded;
}

LoadedImage FromIconFile(const std::wstring& path, int width, int height) {
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, width, height,
                                               LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    if (!icon) return {};
    LoadedImage loaded;
    loaded.image = Usable(Gdiplus::Bitmap::FromHICON(icon));
    DestroyIcon(icon);
    return loaded;
}

// A metafile is played once into a bitmap of the button's size.
LoadedImage FromMetafile(const std::wstring& path, int width, int height) {
    HENHMETAFILE metafile = GetEnhMetaFileW(path.c_str());
    if (!metafile) return {};
    LoadedImage loaded;
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    if (bitmap->GetLastStatus() == Gdiplus::Ok) {
        Gdiplus::Graphics g(bitmap.get());
        Gdiplus::Metafile picture(metafile, FALSE);
        g.DrawImage(&picture, 0, 0, width, height);
        loaded.image = std::move(bitmap);
    }
    DeleteEnhMetaFile(metafile);
    return loaded;
}

// Header, and room for the three colour masks GetDIBits writes after it for
// 32-bit bitmaps on some systems (BI_BITFIELDS).
struct DibHeader {
    BITMAPINFOHEADER header;
    DWORD masks[3];
};

LoadedImage FromSvgFile(const std::wstring& path, const RECT& window) {
    Svg2Bmp render = SvgRenderer();
    if (!render) return {};
    GdiObject bitmap(render(path.c_str(), static_cast<double>(window.top - window.bottom),
                            static_cast<double>(window.left - window.right), 0));
    if (!bitmap.get()) return {};
    ScreenDc screen;
    DibHeader info{};
    info.header.biSize = sizeof info.header;
    auto* bits = reinterpret_cast<BITMAPINFO*>(&info);
    if (!GetDIBits(screen.get(), static_cast<HBITMAP>(bitmap.get()), 0, 0, nullptr, bits,
                   DIB_RGB_COLORS))
        return {};
    const LONG width = info.header.biWidth;
    const LONG height = std::labs(info.header.biHeight);
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return {};
    // Read as 32-bit rows, bottom row first, whatever the bitmap holds.
    info.header.biBitCount = 32;
    info.header.biCompression = BI_RGB;
    info.header.biHeight = height;
    const int stride = ((32 * width + 31) / 8) & ~3;
    info.header.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
    LoadedImage loaded;
    loaded.pixels.resize(info.header.biSizeImage);
    if (GetDIBits(screen.get(), static_cast<HBITMAP>(bitmap.get()), 0, static_cast<UINT>(height),
                  loaded.pixels.data(), bits, DIB_RGB_COLORS) != height)
        return {};
    loaded.image = Usable(
        new Gdiplus::Bitmap(width, height, stride, PixelFormat32bppARGB, loaded.pixels.data()));
    if (!loaded.image) return {};
    loaded.image->RotateFlip(Gdiplus::RotateNoneFlipY);
    return loaded;
}

} // namespace

ImageType ImageTypeOf(const std::wstring& path) {
    const size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos) return ImageType::Rejected;
    const std::wstring extension = path.substr(dot);
    if (SameText(extension, L".ico")) return ImageType::Icon;
    if (SameText(extension, L".wmf") || SameText(extension, L".emf")) return ImageType::Metafile;
    if (SameText(extension, L".svg")) return ImageType::Svg;
    return ImageType::Bitmap;
}

LoadedImage LoadButtonImage(const std::wstring& path, const RECT& window) {
    if (!rv::EnsureGdiplus()) return {};
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    switch (ImageTypeOf(path)) {
    case ImageType::Bitmap:
        return FromBitmapFile(path, width, height);
    case ImageType::Icon:
        return FromIconFile(path, width, height);
    case ImageType::Metafile:
        return width > 0 && height > 0 ? FromMetafile(path, width, height) : LoadedImage{};
    case ImageType::Svg:
        return FromSvgFile(path, window);
    case ImageType::Rejected:
        break;
    }
    return {};
}

} // namespace rvw
