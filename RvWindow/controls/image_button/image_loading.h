// Loading the image of an image button from a file: bitmaps, icons and
// enhanced metafiles through GDI, SVG drawings through the SVG renderer.
#pragma once

#include "rv_gdiplus.h"

#include <memory>
#include <string>
#include <vector>

namespace rvw {

struct LoadedImage {
    std::unique_ptr<Gdiplus::Bitmap> image;
    std::vector<uint8_t> pixels; // backs `image` when it came from an SVG drawing
};

enum class ImageType { Bitmap, Icon, Metafile, Svg, Rejected };

// The type by the extension from the last '.' on; Rejected without a '.'.
ImageType ImageTypeOf(const std::wstring& path);

// The image at `path` for a button whose window rectangle is `window`; no
// image when it cannot be loaded.
LoadedImage LoadButtonImage(const std::wstring& path, const RECT& window);

} // namespace rvw
