// Paints of fill and stroke: none, a colour, the current colour or a
// reference to a gradient.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace svg {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

struct Paint {
    enum class Kind { None, Colour, CurrentColour, Reference } kind = Kind::None;
    Rgb colour;
    std::string reference; // the id of the paint server, for Kind::Reference
    Rgb fallback;          // colour after url(#id), or black
    bool hasFallback = false;
    double alpha = 1; // from rgba()
};

// A colour by name, #rgb, #rrggbb, rgb() or rgba(); false for anything else.
bool ParseColour(std::string_view text, Rgb* colour, double* alpha = nullptr);

// A fill or stroke value; false when it is not one.
bool ParsePaint(std::string_view text, Paint* paint);

} // namespace svg
