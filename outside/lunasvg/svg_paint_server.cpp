#include "svg_paint_server.h"

#include "svg_colour.h"
#include "svg_numbers.h"
#include "svg_style.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace svg {
namespace {

constexpr int kMostReferences = 8; // of a gradient's href chain

using Gdiplus::REAL;

struct Stop {
    double offset;
    Gdiplus::Color colour;
};

const std::string* Href(const Element& e) {
    if (const std::string* h = e.Attribute("href")) return h;
    return e.Attribute("xlink:href");
}

// The gradient `e` refers to by href, or null.
const Element* Referenced(const Element& e, const IdMap& ids) {
    const std::string* h = Href(e);
    if (!h || h->size() < 2 || (*h)[0] != '#') return nullptr;
    const auto found = ids.find(std::string_view(*h).substr(1));
    return found != ids.end() && IsGradient(*found->second) ? found->second : nullptr;
}

// An attribute of the gradient or of the gradients it refers to.
const std::string* Inherited(const Element& e, const char* name, const IdMap& ids) {
    const Element* at = &e;
    for (int i = 0; at && i < kMostReferences; ++i, at = Referenced(*at, ids))
        if (const std::string* v = at->Attribute(name)) return v;
    return nullptr;
}

std::vector<Stop> StopsOf(const Element& e, const IdMap& ids, double opacity) {
    const Element* at = &e;
    for (int i = 0; at && i < kMostReferences; ++i, at = Referenced(*at, ids)) {
        std::vector<Stop> stops;
        for (const auto& child : at->children) {
            if (child->name != "stop") continue;
            std::string storage;
            double offset = 0;
            if (const std::string* v = child->Attribute("offset")) {
                const std::string_view t = Trim(*v);
                if (!t.empty() && t.back() == '%') {
                    if (ParseNumber(t.substr(0, t.size() - 1), &offset)) offset /= 100;
                } else {
                    ParseNumber(t, &offset);
                }
            }
            offset = std::clamp(offset, 0.0, 1.0);
            if (!stops.empty()) offset = std::max(offset, stops.back().offset);
            Rgb rgb;
            double alpha = 1;
            if (const std::string* c = PropertyOf(*child, "stop-color", &storage))
                ParseColour(*c, &rgb, &alpha);
            double stopOpacity = 1;
            if (const std::string* o = PropertyOf(*child, "stop-opacity", &storage))
                if (ParseNumber(*o, &stopOpacity)) stopOpacity = std::clamp(stopOpacity, 0.0, 1.0);
            const auto a = static_cast<BYTE>(std::lround(255 * alpha * stopOpacity * opacity));
            stops.push_back({offset, Gdiplus::Color(a, rgb.r, rgb.g, rgb.b)});
        }
        if (!stops.empty()) return stops;
    }
    return {};
}

double Coordinate(const Element& e, const char* name, const IdMap& ids, bool boxUnits,
                  double percentOf, double fallback) {
    const std::string* v = Inherited(e, name, ids);
    double out;
    return v && ParseLength(*v, boxUnits ? 1 : percentOf, &out) ? out : fallback;
}

// The gradient's space in the user space of the shape.
bool GradientSpace(const Element& e, const IdMap& ids, const Gdiplus::RectF& box, bool* boxUnits,
                   Transform* space) {
    const std::string* units = Inherited(e, "gradientUnits", ids);
    *boxUnits = !units || Trim(*units) != "userSpaceOnUse";
    Transform t;
    if (*boxUnits) {
        if (box.Width <= 0 || box.Height <= 0) return false;
        t = Transform{box.Width, 0, 0, box.Height, box.X, box.Y};
    }
    Transform g;
    if (const std::string* v = Inherited(e, "gradientTransform", ids)) ParseTransform(*v, &g);
    *space = t.After(g);
    return true;
}

Gdiplus::Matrix ToMatrix(const Transform& t) {
    return Gdiplus::Matrix(static_cast<REAL>(t.a), static_cast<REAL>(t.b), static_cast<REAL>(t.c),
                           static_cast<REAL>(t.d), static_cast<REAL>(t.e), static_cast<REAL>(t.f));
}

// Colours and positions for GDI+, from 0 to 1 over [from, to], which holds
// every stop; the ends take the colours of the first and last stops.
void Blend(const std::vector<Stop>& stops, double from, double to, bool reversed,
           std::vector<Gdiplus::Color>* colours, std::vector<REAL>* positions) {
    std::vector<Stop> s;
    s.push_back({from, stops.front().colour});
    for (const Stop& stop : stops)
        if (stop.offset > from && stop.offset < to) s.push_back(stop);
    s.push_back({to, stops.back().colour});
    for (const Stop& stop : s) {
        const double t = to > from ? (stop.offset - from) / (to - from) : 0;
        colours->push_back(stop.colour);
        positions->push_back(static_cast<REAL>(reversed ? 1 - t : t));
    }
    if (reversed) {
        std::reverse(colours->begin(), colours->end());
        std::reverse(positions->begin(), positions->end());
    }
    positions->front() = 0;
    positions->back() = 1;
}

// A brush for the gradient over `box` (user space), or null.
std::unique_ptr<Gdiplus::Brush> GradientBrush(const Element& e, const IdMap& ids,
                                              const Gdiplus::RectF& box, double opacity, double vw,
                                              double vh, Gdiplus::Color* outside) {
    const std::vector<Stop> stops = StopsOf(e, ids, opacity);
    if (stops.empty()) return nullptr;
    bool boxUnits = true;
    Transform space;
    if (!GradientSpace(e, ids, box, &boxUnits, &space)) return nullptr;
    if (stops.size() == 1 || stops.front().offset >= stops.back().offset) {
        *outside = stops.back().colour;
        return std::make_unique<Gdiplus::SolidBrush>(stops.back().colour);
    }
    const double diagonal = std::sqrt((vw * vw + vh * vh) / 2);
    if (e.name == "linearGradient") {
        const double x1 = Coordinate(e, "x1", ids, boxUnits, vw, 0);
        const double y1 = Coordinate(e, "y1", ids, boxUnits, vh, 0);
        const double x2 = Coordinate(e, "x2", ids, boxUnits, vw, boxUnits ? 1 : vw);
        const double y2 = Coordinate(e, "y2", ids, boxUnits, vh, 0);
        const double dx = x2 - x1, dy = y2 - y1, length2 = dx * dx + dy * dy;
        if (length2 <= 0) {
            *outside = stops.back().colour;
            return std::make_unique<Gdiplus::SolidBrush>(stops.back().colour);
        }
        // GDI+ repeats a gradient beyond its ends where SVG pads it with the
        // end colours: the gradient is stretched over the whole box instead.
        const double det = space.a * space.d - space.b * space.c;
        if (!(std::fabs(det) > 1e-12)) return nullptr;
        Gdiplus::Matrix inverse(static_cast<REAL>(space.a), static_cast<REAL>(space.b),
                                static_cast<REAL>(space.c), static_cast<REAL>(space.d),
                                static_cast<REAL>(space.e), static_cast<REAL>(space.f));
        if (inverse.Invert() != Gdiplus::Ok) return nullptr;
        Gdiplus::PointF corners[4] = {{box.X, box.Y},
                                      {box.X + box.Width, box.Y},
                                      {box.X, box.Y + box.Height},
                                      {box.X + box.Width, box.Y + box.Height}};
        inverse.TransformPoints(corners, 4);
        double from = 0, to = 1;
        for (const auto& c : corners) {
            const double t = ((c.X - x1) * dx + (c.Y - y1) * dy) / length2;
            from = std::min(from, t);
            to = std::max(to, t);
        }
        from -= 0.01;
        to += 0.01;
        const Gdiplus::PointF p1(static_cast<REAL>(x1 + from * dx),
                                 static_cast<REAL>(y1 + from * dy));
        const Gdiplus::PointF p2(static_cast<REAL>(x1 + to * dx), static_cast<REAL>(y1 + to * dy));
        auto brush = std::make_unique<Gdiplus::LinearGradientBrush>(p1, p2, stops.front().colour,
                                                                    stops.back().colour);
        std::vector<Gdiplus::Color> colours;
        std::vector<REAL> positions;
        Blend(stops, from, to, false, &colours, &positions);
        brush->SetInterpolationColors(colours.data(), positions.data(),
                                      static_cast<INT>(colours.size()));
        brush->SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        Gdiplus::Matrix m = ToMatrix(space);
        brush->SetTransform(&m);
        *outside = Gdiplus::Color(0, 0, 0, 0);
        return brush;
    }
    // Radial: the circle of the last stop, padded outside with its colour.
    const double cx = Coordinate(e, "cx", ids, boxUnits, vw, boxUnits ? 0.5 : vw / 2);
    const double cy = Coordinate(e, "cy", ids, boxUnits, vh, boxUnits ? 0.5 : vh / 2);
    const double r = Coordinate(e, "r", ids, boxUnits, diagonal, boxUnits ? 0.5 : diagonal / 2);
    const double fx = Coordinate(e, "fx", ids, boxUnits, vw, cx);
    const double fy = Coordinate(e, "fy", ids, boxUnits, vh, cy);
    if (r <= 0) {
        *outside = stops.back().colour;
        return std::make_unique<Gdiplus::SolidBrush>(stops.back().colour);
    }
    // The circle is taken into user space itself rather than through the
    // brush's transform, which not every GDI+ applies to path gradients.
    Gdiplus::GraphicsPath circle;
    circle.AddEllipse(static_cast<REAL>(cx - r), static_cast<REAL>(cy - r),
                      static_cast<REAL>(2 * r), static_cast<REAL>(2 * r));
    Gdiplus::Matrix m = ToMatrix(space);
    circle.Transform(&m);
    Gdiplus::PointF focus(static_cast<REAL>(fx), static_cast<REAL>(fy));
    m.TransformPoints(&focus, 1);
    auto brush = std::make_unique<Gdiplus::PathGradientBrush>(&circle);
    std::vector<Gdiplus::Color> colours;
    std::vector<REAL> positions;
    Blend(stops, 0, 1, true, &colours, &positions);
    brush->SetInterpolationColors(colours.data(), positions.data(),
                                  static_cast<INT>(colours.size()));
    brush->SetCenterPoint(focus);
    *outside = stops.back().colour;
    return brush;
}

} // namespace

bool IsGradient(const Element& e) {
    return e.name == "linearGradient" || e.name == "radialGradient";
}

bool FillWithGradient(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path,
                      const Element& server, const IdMap& ids, double opacity, double vw,
                      double vh) {
    Gdiplus::RectF box;
    path.GetBounds(&box);
    Gdiplus::Color outside;
    auto brush = GradientBrush(server, ids, box, opacity, vw, vh, &outside);
    if (!brush) return false;
    if (outside.GetA() > 0 && server.name == "radialGradient") {
        Gdiplus::SolidBrush pad(outside);
        graphics.FillPath(&pad, &path);
    }
    graphics.FillPath(brush.get(), &path);
    return true;
}

bool StrokeWithGradient(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path,
                        const Gdiplus::Pen& shape, const Element& server, const IdMap& ids,
                        double opacity, double vw, double vh) {
    // The stroke's own outline, filled: the gradient box is the path's box.
    std::unique_ptr<Gdiplus::GraphicsPath> outline(path.Clone());
    if (!outline || outline->Widen(&shape) != Gdiplus::Ok) return false;
    outline->SetFillMode(Gdiplus::FillModeWinding);
    Gdiplus::RectF box;
    path.GetBounds(&box);
    Gdiplus::Color outside;
    auto brush = GradientBrush(server, ids, box, opacity, vw, vh, &outside);
    if (!brush) return false;
    if (outside.GetA() > 0 && server.name == "radialGradient") {
        Gdiplus::SolidBrush pad(outside);
        graphics.FillPath(&pad, outline.get());
    }
    graphics.FillPath(brush.get(), outline.get());
    return true;
}

} // namespace svg
