// The properties that decide how a shape is painted, from presentation
// attributes, the style attribute and the parent element.
#pragma once

#include "svg_colour.h"
#include "xml_reader.h"

namespace svg {

enum class LineCap { Butt, Round, Square };
enum class LineJoin { Miter, Round, Bevel };

struct Style {
    // Inherited.
    Paint fill;
    Paint stroke;
    Rgb colour; // the current colour
    double strokeWidth = 1;
    double fillOpacity = 1;
    double strokeOpacity = 1;
    bool evenOdd = false;
    LineCap cap = LineCap::Butt;
    LineJoin join = LineJoin::Miter;
    double miterLimit = 4;
    bool visible = true;
    // Not inherited: opacity multiplies down the tree (group opacity is
    // applied to each shape, not to the group as one layer).
    double opacity = 1;
    bool displayed = true;

    Style() { fill.kind = Paint::Kind::Colour; }
};

// The style of `e` inside an element of style `parent`.
Style StyleOf(const Element& e, const Style& parent);

// A property of `e` from its style attribute, then its presentation
// attribute; null when it has neither.
const std::string* PropertyOf(const Element& e, std::string_view name, std::string* storage);

} // namespace svg
