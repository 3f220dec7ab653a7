// Drawing a parsed SVG document with GDI+.
#pragma once

#include "rv_gdiplus.h"
#include "xml_reader.h"

namespace svg {

constexpr int kMostUseDepth = 8;           // of use elements within use elements
constexpr size_t kMostDrawnShapes = 10000; // of one document, uses included (icons draw hundreds)

// The size the document asks for (width and height attributes, else its
// viewBox); false when it names none.
bool IntrinsicSize(const Element& root, double* width, double* height);

// Draws the document scaled into a width x height image; false when the
// document is not SVG or turns out to be hostile (too much work).
bool RenderDocument(const Element& root, Gdiplus::Graphics& graphics, int width, int height);

} // namespace svg
