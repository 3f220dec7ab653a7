// The SVG renderer "lunasvg.dll" next to this library, loaded on first need.
#pragma once

#include <windows.h>

namespace rvw {

// svg2bmp(path, height, width, flags): a bitmap of the drawing, or null. The
// sizes are the button's top - bottom and left - right (so negative).
typedef HBITMAP (*Svg2Bmp)(const wchar_t* path, double height, double width, int flags);

// The renderer's entry point; null (and looked for again next time) when the
// library or its export is missing.
Svg2Bmp SvgRenderer();

} // namespace rvw
