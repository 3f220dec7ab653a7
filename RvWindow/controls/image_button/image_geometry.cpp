#include "image_geometry.h"

namespace rvw {
namespace {

constexpr double kFlattest = 0.0001; // images flatter than this are not drawn across

int Truncated(double v) {
    return static_cast<int>(v);
}

} // namespace

DrawnRect FitImage(int w, int h, double aspect, unsigned rotation) {
    if (w <= 0 || h <= 0 || !(aspect > 0) || aspect > 1e6) return {0, 0, 0, 0};
    DrawnRect r{};
    if (rotation & 1) {
        // Turned across: drawn width becomes the height on screen.
        if (aspect <= kFlattest) return {0, 0, 0, 0};
        if (static_cast<double>(w) / h > 1 / aspect) {
            r.width = h;
            r.height = Truncated(h / aspect + 0.5);
        } else {
            r.width = Truncated(w * aspect + 0.5);
            r.height = w;
        }
        r.x = (w - r.width) / 2;
        r.y = (h - r.height) / 2;
        return r;
    }
    if (aspect > static_cast<double>(w) / h) {
        r.width = w;
        r.height = Truncated(Truncated(w + 0.5) / aspect + 0.5);
        r.y = (h - r.height) / 2;
    } else {
        r.width = Truncated(h * aspect + 0.5);
        r.height = h;
        r.x = (w - r.width) / 2;
    }
    return r;
}

} // namespace rvw
