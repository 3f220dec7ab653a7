// lunasvg.dll: renders static SVG drawings (icons) to bitmaps for RvWindow's
// image button, which loads it at run time.
#pragma once

#include <windows.h>

// Draws the SVG file at `path` anti-aliased into a new 32-bit top-down DIB
// section of |width| x |height| pixels (a size of 0 takes the file's own),
// with straight (not premultiplied) alpha; transparent where nothing is
// drawn. Null when the file cannot be read, is not SVG, is malformed or
// hostile, or the size is beyond 8192 pixels. `flags` is reserved (0).
// The caller deletes the bitmap with DeleteObject.
extern "C" HBITMAP svg2bmp(const wchar_t* path, double height, double width, int flags);
