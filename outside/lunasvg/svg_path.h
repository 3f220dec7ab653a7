// Path data ("M 1 2 L 3 4 A ...") and the basic shapes as GDI+ paths.
#pragma once

#include "rv_gdiplus.h"
#include "xml_reader.h"

#include <string_view>

namespace svg {

constexpr size_t kMostPathCommands = 200000; // of one document, all paths together

// Appends the path data to `path`. Drawing stops at the first error, as SVG
// asks (what came before it is kept); false when the error is one of a
// hostile file (a number out of range, too many commands), which fails the
// whole document. `budget` counts the commands left for the document.
bool AppendPathData(std::string_view d, Gdiplus::GraphicsPath& path, size_t& budget);

// The outline of a basic shape element (rect, circle, ellipse, line,
// polyline, polygon) or a path; false when the element is not drawable.
// `viewport` sizes percentages. Sets `hostile` for limits that fail the document.
bool ShapeOutline(const Element& e, double viewportWidth, double viewportHeight,
                  Gdiplus::GraphicsPath& path, size_t& budget, bool* hostile);

} // namespace svg
