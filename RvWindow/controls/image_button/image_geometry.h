// Where the image button draws its image: the image keeps its aspect, fits
// the button and, turned by quarter turns, still fits once turned.
#pragma once

namespace rvw {

struct DrawnRect {
    int x, y, width, height; // in the button's client area, before turning
};

// The rectangle the image is drawn into in a w x h area, for an image of
// aspect width / height and `rotation` quarter turns; empty (0 x 0) when the
// image cannot be drawn.
DrawnRect FitImage(int w, int h, double aspect, unsigned rotation);

} // namespace rvw
