// Affine transforms: [a c e; b d f], applied to points as x' = a x + c y + e.
#pragma once

#include <string_view>

namespace svg {

struct Transform {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    // This transform applied after `inner` (so `inner` acts on points first).
    Transform After(const Transform& inner) const;
    static Transform Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Transform Scale(double x, double y) { return {x, 0, 0, y, 0, 0}; }
};

// A transform list ("translate(4) rotate(30 8 8) scale(2)"); false when it is
// malformed, in which case the element is drawn untransformed.
bool ParseTransform(std::string_view text, Transform* transform);

} // namespace svg
