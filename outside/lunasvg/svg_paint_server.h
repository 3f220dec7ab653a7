// Linear and radial gradients as GDI+ brushes.
#pragma once

#include "rv_gdiplus.h"
#include "svg_transform.h"
#include "xml_reader.h"

#include <map>
#include <memory>
#include <string>

namespace svg {

using IdMap = std::map<std::string, const Element*, std::less<>>;

// Paints `path` (in user space) with the gradient `server`, through
// `graphics` whose transform maps user space to pixels. `opacity` scales
// every stop. False when the gradient cannot paint (no stops, an empty box),
// in which case nothing is drawn.
bool FillWithGradient(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path,
                      const Element& server, const IdMap& ids, double opacity, double viewportWidth,
                      double viewportHeight);

// The same for a stroke of the given pen geometry.
bool StrokeWithGradient(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path,
                        const Gdiplus::Pen& shape, const Element& server, const IdMap& ids,
                        double opacity, double viewportWidth, double viewportHeight);

// Whether the element is a gradient this renderer paints with.
bool IsGradient(const Element& e);

} // namespace svg
