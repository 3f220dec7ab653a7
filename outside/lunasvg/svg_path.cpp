#include "svg_path.h"

#include "svg_numbers.h"

#include <cctype>
#include <cmath>
#include <vector>

namespace svg {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKappa = 0.5522847498307936; // control distance of a quarter circle

using Gdiplus::PointF;
using Gdiplus::REAL;

PointF P(double x, double y) {
    return PointF(static_cast<REAL>(x), static_cast<REAL>(y));
}

bool IsCommand(char c) {
    return std::string_view("MmLlHhVvCcSsQqTtAaZz").find(c) != std::string_view::npos;
}

// Reads a flag of an arc: "0" or "1", possibly without separators.
bool ReadFlag(std::string_view s, size_t& at, bool* flag) {
    SkipSeparator(s, at);
    if (at >= s.size() || (s[at] != '0' && s[at] != '1')) return false;
    *flag = s[at++] == '1';
    return true;
}

// An elliptical arc from (x1, y1) to (x2, y2) as cubic Béziers, by the
// endpoint-to-centre conversion of the SVG arc parameters.
void AppendArc(Gdiplus::GraphicsPath& path, double x1, double y1, double rx, double ry,
               double angle, bool large, bool sweep, double x2, double y2) {
    if (x1 == x2 && y1 == y2) return;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        path.AddLine(P(x1, y1), P(x2, y2));
        return;
    }
    const double phi = angle * kPi / 180, cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    const double dx = (x1 - x2) / 2, dy = (y1 - y2) / 2;
    const double x1p = cosPhi * dx + sinPhi * dy, y1p = -sinPhi * dx + cosPhi * dy;
    const double lambda = (x1p * x1p) / (rx * rx) + (y1p * y1p) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1p * y1p - ry * ry * x1p * x1p;
    const double den = rx * rx * y1p * y1p + ry * ry * x1p * x1p;
    double coef = den > 0 ? std::sqrt(std::fmax(0, num / den)) : 0;
    if (large == sweep) coef = -coef;
    const double cxp = coef * rx * y1p / ry, cyp = -coef * ry * x1p / rx;
    const double cx = cosPhi * cxp - sinPhi * cyp + (x1 + x2) / 2;
    const double cy = sinPhi * cxp + cosPhi * cyp + (y1 + y2) / 2;
    auto angleOf = [](double ux, double uy, double vx, double vy) {
        return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
    };
    const double theta1 = angleOf(1, 0, (x1p - cxp) / rx, (y1p - cyp) / ry);
    double delta =
        angleOf((x1p - cxp) / rx, (y1p - cyp) / ry, (-x1p - cxp) / rx, (-y1p - cyp) / ry);
    if (!sweep && delta > 0) delta -= 2 * kPi;
    if (sweep && delta < 0) delta += 2 * kPi;
    const int segments = static_cast<int>(std::ceil(std::fabs(delta) / (kPi / 2) - 1e-9));
    const double step = delta / (segments > 0 ? segments : 1);
    const double t = 4.0 / 3.0 * std::tan(step / 4);
    auto pointAt = [&](double a, double px, double py) {
        // A point of the unit circle's frame (cos a, sin a) offset by (px, py), on the ellipse.
        const double ex = rx * (std::cos(a) + px), ey = ry * (std::sin(a) + py);
        return P(cosPhi * ex - sinPhi * ey + cx, sinPhi * ex + cosPhi * ey + cy);
    };
    double a = theta1;
    for (int i = 0; i < segments; ++i) {
        const double b = a + step;
        const PointF p0 = i == 0 ? P(x1, y1) : pointAt(a, 0, 0);
        const PointF p1 = pointAt(a, -t * std::sin(a), t * std::cos(a));
        const PointF p2 = pointAt(b, t * std::sin(b), -t * std::cos(b));
        const PointF p3 = i == segments - 1 ? P(x2, y2) : pointAt(b, 0, 0);
        path.AddBezier(p0, p1, p2, p3);
        a = b;
    }
}

double Attr(const Element& e, const char* name, double percentOf, double fallback) {
    const std::string* v = e.Attribute(name);
    double out;
    return v && ParseLength(*v, percentOf, &out) ? out : fallback;
}

void AppendRoundedRect(Gdiplus::GraphicsPath& path, double x, double y, double w, double h,
                       double rx, double ry) {
    const double kx = rx * kKappa, ky = ry * kKappa;
    path.StartFigure();
    path.AddLine(P(x + rx, y), P(x + w - rx, y));
    path.AddBezier(P(x + w - rx, y), P(x + w - rx + kx, y), P(x + w, y + ry - ky),
                   P(x + w, y + ry));
    path.AddLine(P(x + w, y + ry), P(x + w, y + h - ry));
    path.AddBezier(P(x + w, y + h - ry), P(x + w, y + h - ry + ky), P(x + w - rx + kx, y + h),
                   P(x + w - rx, y + h));
    path.AddLine(P(x + w - rx, y + h), P(x + rx, y + h));
    path.AddBezier(P(x + rx, y + h), P(x + rx - kx, y + h), P(x, y + h - ry + ky),
                   P(x, y + h - ry));
    path.AddLine(P(x, y + h - ry), P(x, y + ry));
    path.AddBezier(P(x, y + ry), P(x, y + ry - ky), P(x + rx - kx, y), P(x + rx, y));
    path.CloseFigure();
}

} // namespace

bool AppendPathData(std::string_view d, Gdiplus::GraphicsPath& path, size_t& budget) {
    size_t at = 0;
    double cx = 0, cy = 0; // current point
    double sx = 0, sy = 0; // start of the subpath
    double qx = 0, qy = 0; // last control point, for S and T
    char previous = 0, command = 0;
    bool open = false;
    bool started = false; // path data must begin with a move-to
    for (;;) {
        SkipSeparator(d, at);
        if (at >= d.size()) return true;
        if (IsCommand(d[at])) {
            command = d[at++];
        } else if (command == 0 || command == 'Z' || command == 'z') {
            return true; // numbers without a command: stop drawing here
        }
        if (budget == 0) return false;
        --budget;
        const bool relative = command >= 'a';
        const char upper = static_cast<char>(relative ? command - 32 : command);
        if (!started && upper != 'M') return true;
        const double ox = relative ? cx : 0, oy = relative ? cy : 0;
        double v[7];
        auto numbers = [&](int n) {
            for (int i = 0; i < n; ++i) {
                if (i > 0 || upper != 'Z') SkipSeparator(d, at);
                if (!ReadNumber(d, at, &v[i])) return false;
            }
            return true;
        };
        auto badNumber = [&] {
            // A number out of range fails the document; other errors only stop the path.
            size_t probe = at;
            SkipSeparator(d, probe);
            return probe < d.size() && (std::isdigit(static_cast<unsigned char>(d[probe])) ||
                                        d[probe] == '-' || d[probe] == '+' || d[probe] == '.');
        };
        switch (upper) {
        case 'M':
            if (!numbers(2)) return !badNumber();
            cx = ox + v[0];
            cy = oy + v[1];
            sx = cx;
            sy = cy;
            path.StartFigure();
            open = true;
            started = true;
            // Later pairs are line-tos.
            command = relative ? 'l' : 'L';
            break;
        case 'L':
            if (!numbers(2)) return !badNumber();
            path.AddLine(P(cx, cy), P(ox + v[0], oy + v[1]));
            cx = ox + v[0];
            cy = oy + v[1];
            break;
        case 'H':
            if (!numbers(1)) return !badNumber();
            path.AddLine(P(cx, cy), P(ox + v[0], cy));
            cx = ox + v[0];
            break;
        case 'V':
            if (!numbers(1)) return !badNumber();
            path.AddLine(P(cx, cy), P(cx, oy + v[0]));
            cy = oy + v[0];
            break;
        case 'C':
            if (!numbers(6)) return !badNumber();
            path.AddBezier(P(cx, cy), P(ox + v[0], oy + v[1]), P(ox + v[2], oy + v[3]),
                           P(ox + v[4], oy + v[5]));
            qx = ox + v[2];
            qy = oy + v[3];
            cx = ox + v[4];
            cy = oy + v[5];
            break;
        case 'S': {
            if (!numbers(4)) return !badNumber();
            const bool smooth = previous == 'C' || previous == 'S';
            const double x1 = smooth ? 2 * cx - qx : cx, y1 = smooth ? 2 * cy - qy : cy;
            path.AddBezier(P(cx, cy), P(x1, y1), P(ox + v[0], oy + v[1]), P(ox + v[2], oy + v[3]));
            qx = ox + v[0];
            qy = oy + v[1];
            cx = ox + v[2];
            cy = oy + v[3];
            break;
        }
        case 'Q':
        case 'T': {
            double x1, y1, x, y;
            if (upper == 'Q') {
                if (!numbers(4)) return !badNumber();
                x1 = ox + v[0];
                y1 = oy + v[1];
                x = ox + v[2];
                y = oy + v[3];
            } else {
                if (!numbers(2)) return !badNumber();
                const bool smooth = previous == 'Q' || previous == 'T';
                x1 = smooth ? 2 * cx - qx : cx;
                y1 = smooth ? 2 * cy - qy : cy;
                x = ox + v[0];
                y = oy + v[1];
            }
            // The quadratic curve as a cubic one.
            path.AddBezier(P(cx, cy), P(cx + 2.0 / 3 * (x1 - cx), cy + 2.0 / 3 * (y1 - cy)),
                           P(x + 2.0 / 3 * (x1 - x), y + 2.0 / 3 * (y1 - y)), P(x, y));
            qx = x1;
            qy = y1;
            cx = x;
            cy = y;
            break;
        }
        case 'A': {
            bool large = false, sweep = false;
            SkipSeparator(d, at);
            if (!ReadNumber(d, at, &v[0])) return !badNumber();
            SkipSeparator(d, at);
            if (!ReadNumber(d, at, &v[1]) || (SkipSeparator(d, at), !ReadNumber(d, at, &v[2])) ||
                !ReadFlag(d, at, &large) || !ReadFlag(d, at, &sweep))
                return !badNumber();
            SkipSeparator(d, at);
            if (!ReadNumber(d, at, &v[3])) return !badNumber();
            SkipSeparator(d, at);
            if (!ReadNumber(d, at, &v[4])) return !badNumber();
            AppendArc(path, cx, cy, v[0], v[1], v[2], large, sweep, ox + v[3], oy + v[4]);
            cx = ox + v[3];
            cy = oy + v[4];
            break;
        }
        case 'Z':
            if (open) path.CloseFigure();
            open = false;
            cx = sx;
            cy = sy;
            break;
        default:
            return true;
        }
        previous = upper;
    }
}

bool ShapeOutline(const Element& e, double vw, double vh, Gdiplus::GraphicsPath& path,
                  size_t& budget, bool* hostile) {
    const double diagonal = std::sqrt((vw * vw + vh * vh) / 2);
    const std::string& n = e.name;
    if (n == "path") {
        const std::string* d = e.Attribute("d");
        if (!d) return false;
        if (!AppendPathData(*d, path, budget)) *hostile = true;
        return path.GetPointCount() > 0;
    }
    if (n == "rect") {
        const double x = Attr(e, "x", vw, 0), y = Attr(e, "y", vh, 0);
        const double w = Attr(e, "width", vw, 0), h = Attr(e, "height", vh, 0);
        if (w <= 0 || h <= 0) return false;
        const std::string* rxText = e.Attribute("rx");
        const std::string* ryText = e.Attribute("ry");
        double rx = Attr(e, "rx", vw, -1), ry = Attr(e, "ry", vh, -1);
        if (!rxText || rx < 0) rx = ryText && ry >= 0 ? ry : 0;
        if (!ryText || ry < 0) ry = rx;
        rx = std::fmin(rx, w / 2);
        ry = std::fmin(ry, h / 2);
        if (rx > 0 && ry > 0)
            AppendRoundedRect(path, x, y, w, h, rx, ry);
        else
            path.AddRectangle(Gdiplus::RectF(static_cast<REAL>(x), static_cast<REAL>(y),
                                             static_cast<REAL>(w), static_cast<REAL>(h)));
        return true;
    }
    if (n == "circle" || n == "ellipse") {
        const double cx = Attr(e, "cx", vw, 0), cy = Attr(e, "cy", vh, 0);
        double rx, ry;
        if (n == "circle") {
            rx = ry = Attr(e, "r", diagonal, 0);
        } else {
            rx = Attr(e, "rx", vw, 0);
            ry = Attr(e, "ry", vh, 0);
        }
        if (rx <= 0 || ry <= 0) return false;
        path.AddEllipse(Gdiplus::RectF(static_cast<REAL>(cx - rx), static_cast<REAL>(cy - ry),
                                       static_cast<REAL>(2 * rx), static_cast<REAL>(2 * ry)));
        return true;
    }
    if (n == "line") {
        path.AddLine(P(Attr(e, "x1", vw, 0), Attr(e, "y1", vh, 0)),
                     P(Attr(e, "x2", vw, 0), Attr(e, "y2", vh, 0)));
        return true;
    }
    if (n == "polyline" || n == "polygon") {
        const std::string* text = e.Attribute("points");
        if (!text) return false;
        std::vector<double> values;
        size_t at = 0;
        // Points up to the first error are drawn.
        for (double v; (SkipSeparator(*text, at), ReadNumber(*text, at, &v));)
            values.push_back(v);
        if (values.size() / 2 > budget) {
            *hostile = true;
            return false;
        }
        budget -= values.size() / 2;
        if (values.size() < 4) return false;
        std::vector<PointF> points;
        for (size_t i = 0; i + 1 < values.size(); i += 2)
            points.push_back(P(values[i], values[i + 1]));
        path.StartFigure();
        path.AddLines(points.data(), static_cast<INT>(points.size()));
        if (n == "polygon") path.CloseFigure();
        return true;
    }
    return false;
}

} // namespace svg
