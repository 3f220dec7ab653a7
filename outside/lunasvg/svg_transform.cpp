#include "svg_transform.h"

#include "svg_numbers.h"

#include <cmath>
#include <vector>

namespace svg {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr size_t kMostArguments = 6;

double Radians(double degrees) {
    return degrees * kPi / 180;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}

} // namespace

Transform Transform::After(const Transform& m) const {
    Transform r;
    r.a = a * m.a + c * m.b;
    r.b = b * m.a + d * m.b;
    r.c = a * m.c + c * m.d;
    r.d = b * m.c + d * m.d;
    r.e = a * m.e + c * m.f + e;
    r.f = b * m.e + d * m.f + f;
    return r;
}

bool ParseTransform(std::string_view s, Transform* out) {
    Transform total;
    size_t at = 0;
    for (;;) {
        while (at < s.size() && IsSpace(s[at]))
            ++at;
        if (at >= s.size()) break;
        const size_t open = s.find('(', at);
        if (open == std::string_view::npos) return false;
        const std::string_view name = Trim(s.substr(at, open - at));
        const size_t close = s.find(')', open);
        if (close == std::string_view::npos) return false;
        std::vector<double> args;
        if (!ParseNumberList(s.substr(open + 1, close - open - 1), &args) ||
            args.size() > kMostArguments)
            return false;
        const size_t n = args.size();
        Transform t;
        if (name == "matrix" && n == 6) {
            t = {args[0], args[1], args[2], args[3], args[4], args[5]};
        } else if (name == "translate" && (n == 1 || n == 2)) {
            t = Transform::Translate(args[0], n == 2 ? args[1] : 0);
        } else if (name == "scale" && (n == 1 || n == 2)) {
            t = Transform::Scale(args[0], n == 2 ? args[1] : args[0]);
        } else if (name == "rotate" && (n == 1 || n == 3)) {
            const double r = Radians(args[0]);
            const Transform rotation{std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0};
            t = n == 3 ? Transform::Translate(args[1], args[2])
                             .After(rotation)
                             .After(Transform::Translate(-args[1], -args[2]))
                       : rotation;
        } else if (name == "skewX" && n == 1) {
            t = {1, 0, std::tan(Radians(args[0])), 1, 0, 0};
        } else if (name == "skewY" && n == 1) {
            t = {1, std::tan(Radians(args[0])), 0, 1, 0, 0};
        } else {
            return false;
        }
        total = total.After(t);
        at = close + 1;
    }
    for (double v : {total.a, total.b, total.c, total.d, total.e, total.f})
        if (!std::isfinite(v) || std::fabs(v) > kLargestCoordinate) return false;
    *out = total;
    return true;
}

} // namespace svg
