#include "svg_renderer.h"

#include "svg_numbers.h"
#include "svg_paint_server.h"
#include "svg_path.h"
#include "svg_style.h"
#include "svg_transform.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace svg {
namespace {

using Gdiplus::REAL;

constexpr double kDefaultViewport = 100; // user units of a document that names no size
constexpr double kFlatness = 0.1;        // pixels a flattened curve may stray

struct ViewBox {
    double x = 0, y = 0, width = 0, height = 0;
};

bool ParseViewBox(const Element& e, ViewBox* box) {
    const std::string* v = e.Attribute("viewBox");
    std::vector<double> n;
    if (!v || !ParseNumberList(*v, &n) || n.size() != 4 || n[2] <= 0 || n[3] <= 0) return false;
    *box = {n[0], n[1], n[2], n[3]};
    return true;
}

// The mapping of a viewBox into a viewport by preserveAspectRatio.
Transform FitViewBox(const Element& e, const ViewBox& box, double width, double height) {
    std::string align = "xMidYMid";
    bool slice = false;
    if (const std::string* v = e.Attribute("preserveAspectRatio")) {
        std::vector<std::string> words;
        std::string word;
        for (char c : *v) {
            if (c == ' ' || c == '\t') {
                if (!word.empty()) words.push_back(word);
                word.clear();
            } else {
                word += c;
            }
        }
        if (!word.empty()) words.push_back(word);
        if (!words.empty() && words[0] == "defer") words.erase(words.begin());
        if (!words.empty()) align = words[0];
        slice = words.size() > 1 && words[1] == "slice";
    }
    double sx = width / box.width, sy = height / box.height;
    if (align == "none") return Transform{sx, 0, 0, sy, -box.x * sx, -box.y * sy};
    const double s = slice ? std::max(sx, sy) : std::min(sx, sy);
    double tx = -box.x * s, ty = -box.y * s;
    const double extraX = width - box.width * s, extraY = height - box.height * s;
    if (align.find("xMid") != std::string::npos) tx += extraX / 2;
    if (align.find("xMax") != std::string::npos) tx += extraX;
    if (align.find("YMid") != std::string::npos) ty += extraY / 2;
    if (align.find("YMax") != std::string::npos) ty += extraY;
    return Transform{s, 0, 0, s, tx, ty};
}

Gdiplus::Color ColourOf(const Rgb& c, double alpha) {
    const auto a = static_cast<BYTE>(std::lround(255 * std::clamp(alpha, 0.0, 1.0)));
    return Gdiplus::Color(a, c.r, c.g, c.b);
}

class Renderer {
  public:
    Renderer(const Element& root, Gdiplus::Graphics& graphics) : graphics_(graphics) {
        CollectIds(root, 0);
    }

    bool Render(const Element& root, int width, int height) {
        double w = width, h = height;
        ViewBox box;
        const bool hasBox = ParseViewBox(root, &box);
        double iw = 0, ih = 0;
        if (!hasBox && IntrinsicSize(root, &iw, &ih)) box = {0, 0, iw, ih};
        if (!hasBox && !(iw > 0 && ih > 0)) box = {0, 0, w, h};
        viewportWidth_ = box.width;
        viewportHeight_ = box.height;
        const Transform start = FitViewBox(root, box, w, h);
        Walk(root, Style(), start, 0);
        return !hostile_;
    }

  private:
    void CollectIds(const Element& e, int depth) {
        if (const std::string* id = e.Attribute("id")) ids_.emplace(*id, &e);
        for (const auto& c : e.children)
            CollectIds(*c, depth + 1);
    }

    static bool IsContainer(const std::string& n) {
        return n == "svg" || n == "g" || n == "a" || n == "switch";
    }
    static bool IsShape(const std::string& n) {
        return n == "path" || n == "rect" || n == "circle" || n == "ellipse" || n == "line" ||
               n == "polyline" || n == "polygon";
    }

    Transform WithOwnTransform(const Element& e, const Transform& m) const {
        Transform t;
        if (const std::string* v = e.Attribute("transform"))
            if (!ParseTransform(*v, &t)) t = Transform{};
        return m.After(t);
    }

    void Walk(const Element& e, const Style& parent, const Transform& m, int useDepth) {
        if (hostile_) return;
        const Style style = StyleOf(e, parent);
        if (!style.displayed) return;
        const std::string& n = e.name;
        if (IsShape(n)) {
            DrawShape(e, style, WithOwnTransform(e, m));
        } else if (n == "use") {
            DrawUse(e, style, m, useDepth);
        } else if (IsContainer(n)) {
            Transform inner = WithOwnTransform(e, m);
            if (n == "svg" && &e != root_ && root_) inner = NestedViewport(e, inner);
            if (!root_) root_ = &e;
            for (const auto& c : e.children)
                Walk(*c, style, inner, useDepth);
        }
        // Everything else (defs, symbol, gradients, text, style, metadata) draws nothing here.
    }

    Transform NestedViewport(const Element& e, const Transform& m) const {
        double x = 0, y = 0, w = viewportWidth_, h = viewportHeight_;
        if (const std::string* v = e.Attribute("x")) ParseLength(*v, viewportWidth_, &x);
        if (const std::string* v = e.Attribute("y")) ParseLength(*v, viewportHeight_, &y);
        if (const std::string* v = e.Attribute("width")) ParseLength(*v, viewportWidth_, &w);
        if (const std::string* v = e.Attribute("height")) ParseLength(*v, viewportHeight_, &h);
        ViewBox box;
        const Transform at = m.After(Transform::Translate(x, y));
        return ParseViewBox(e, &box) && w > 0 && h > 0 ? at.After(FitViewBox(e, box, w, h)) : at;
    }

    void DrawUse(const Element& e, const Style& style, const Transform& m, int useDepth) {
        const std::string* href = e.Attribute("href");
        if (!href) href = e.Attribute("xlink:href");
        if (!href || href->size() < 2 || (*href)[0] != '#') return;
        const auto found = ids_.find(std::string_view(*href).substr(1));
        if (found == ids_.end()) return;
        const Element& target = *found->second;
        // A use that reaches itself, directly or through others, draws nothing more.
        if (useDepth >= kMostUseDepth ||
            std::find(active_.begin(), active_.end(), &target) != active_.end())
            return;
        double x = 0, y = 0;
        if (const std::string* v = e.Attribute("x")) ParseLength(*v, viewportWidth_, &x);
        if (const std::string* v = e.Attribute("y")) ParseLength(*v, viewportHeight_, &y);
        const Transform inner = WithOwnTransform(e, m).After(Transform::Translate(x, y));
        active_.push_back(&target);
        if (target.name == "symbol") {
            Transform symbol = inner;
            ViewBox box;
            double w = viewportWidth_, h = viewportHeight_;
            if (const std::string* v = e.Attribute("width")) ParseLength(*v, viewportWidth_, &w);
            if (const std::string* v = e.Attribute("height")) ParseLength(*v, viewportHeight_, &h);
            if (ParseViewBox(target, &box) && w > 0 && h > 0)
                symbol = inner.After(FitViewBox(target, box, w, h));
            const Style symbolStyle = StyleOf(target, style);
            for (const auto& c : target.children)
                Walk(*c, symbolStyle, symbol, useDepth + 1);
        } else {
            Walk(target, style, inner, useDepth + 1);
        }
        active_.pop_back();
    }

    void DrawShape(const Element& e, const Style& s, const Transform& m) {
        if (!s.visible) return;
        if (++drawn_ > kMostDrawnShapes) {
            hostile_ = true;
            return;
        }
        Gdiplus::GraphicsPath path(s.evenOdd ? Gdiplus::FillModeAlternate
                                             : Gdiplus::FillModeWinding);
        bool hostile = false;
        const bool drawable =
            ShapeOutline(e, viewportWidth_, viewportHeight_, path, pathBudget_, &hostile);
        if (hostile) hostile_ = true;
        if (!drawable || hostile) return;
        Gdiplus::Matrix matrix(static_cast<REAL>(m.a), static_cast<REAL>(m.b),
                               static_cast<REAL>(m.c), static_cast<REAL>(m.d),
                               static_cast<REAL>(m.e), static_cast<REAL>(m.f));
        // Curves become lines finely enough for the scale they are drawn at:
        // some GDI+ implementations flatten in user space with a fixed tolerance.
        const double scale = std::sqrt(std::fabs(m.a * m.d - m.b * m.c));
        if (scale > 0) path.Flatten(nullptr, static_cast<REAL>(kFlatness / scale));
        graphics_.SetTransform(&matrix);
        if (e.name != "line") Fill(path, s);
        Stroke(path, s);
        graphics_.ResetTransform();
    }

    // The gradient a paint refers to, or null.
    const Element* Server(const Paint& p) const {
        if (p.kind != Paint::Kind::Reference) return nullptr;
        const auto found = ids_.find(p.reference);
        return found != ids_.end() && IsGradient(*found->second) ? found->second : nullptr;
    }

    // The solid colour of a paint, or false when it paints nothing solid.
    bool SolidColour(const Paint& p, const Style& s, Rgb* colour, double* alpha) const {
        *alpha = p.alpha;
        switch (p.kind) {
        case Paint::Kind::Colour:
            *colour = p.colour;
            return true;
        case Paint::Kind::CurrentColour:
            *colour = s.colour;
            return true;
        case Paint::Kind::Reference:
            if (Server(p) || !p.hasFallback) return false;
            *colour = p.fallback;
            return true;
        case Paint::Kind::None:
            break;
        }
        return false;
    }

    void Fill(const Gdiplus::GraphicsPath& path, const Style& s) {
        const double opacity = s.opacity * s.fillOpacity;
        if (const Element* server = Server(s.fill)) {
            FillWithGradient(graphics_, path, *server, ids_, opacity, viewportWidth_,
                             viewportHeight_);
            return;
        }
        Rgb c;
        double alpha;
        if (!SolidColour(s.fill, s, &c, &alpha)) return;
        Gdiplus::SolidBrush brush(ColourOf(c, alpha * opacity));
        graphics_.FillPath(&brush, &path);
    }

    void Stroke(const Gdiplus::GraphicsPath& path, const Style& s) {
        if (s.strokeWidth <= 0 || s.stroke.kind == Paint::Kind::None) return;
        const double opacity = s.opacity * s.strokeOpacity;
        Gdiplus::Pen pen(Gdiplus::Color(255, 0, 0, 0), static_cast<REAL>(s.strokeWidth));
        const Gdiplus::LineCap cap = s.cap == LineCap::Round    ? Gdiplus::LineCapRound
                                     : s.cap == LineCap::Square ? Gdiplus::LineCapSquare
                                                                : Gdiplus::LineCapFlat;
        pen.SetLineCap(cap, cap, Gdiplus::DashCapFlat);
        pen.SetLineJoin(s.join == LineJoin::Round   ? Gdiplus::LineJoinRound
                        : s.join == LineJoin::Bevel ? Gdiplus::LineJoinBevel
                                                    : Gdiplus::LineJoinMiterClipped);
        pen.SetMiterLimit(static_cast<REAL>(s.miterLimit));
        if (const Element* server = Server(s.stroke)) {
            StrokeWithGradient(graphics_, path, pen, *server, ids_, opacity, viewportWidth_,
                               viewportHeight_);
            return;
        }
        Rgb c;
        double alpha;
        if (!SolidColour(s.stroke, s, &c, &alpha)) return;
        pen.SetColor(ColourOf(c, alpha * opacity));
        graphics_.DrawPath(&pen, &path);
    }

    Gdiplus::Graphics& graphics_;
    IdMap ids_;
    std::vector<const Element*> active_; // targets of the uses being drawn
    const Element* root_ = nullptr;
    double viewportWidth_ = kDefaultViewport;
    double viewportHeight_ = kDefaultViewport;
    size_t pathBudget_ = kMostPathCommands;
    size_t drawn_ = 0;
    bool hostile_ = false;
};

} // namespace

bool IntrinsicSize(const Element& root, double* width, double* height) {
    double w = 0, h = 0;
    const std::string* wt = root.Attribute("width");
    const std::string* ht = root.Attribute("height");
    const bool hasW =
        wt && Trim(*wt).find('%') == std::string_view::npos && ParseLength(*wt, 0, &w);
    const bool hasH =
        ht && Trim(*ht).find('%') == std::string_view::npos && ParseLength(*ht, 0, &h);
    ViewBox box;
    const bool hasBox = ParseViewBox(root, &box);
    if (!hasW) w = hasBox ? (hasH && box.height > 0 ? h * box.width / box.height : box.width) : 0;
    if (!hasH) h = hasBox ? (hasW && box.width > 0 ? w * box.height / box.width : box.height) : 0;
    if (!(w > 0 && h > 0)) return false;
    *width = w;
    *height = h;
    return true;
}

bool RenderDocument(const Element& root, Gdiplus::Graphics& graphics, int width, int height) {
    if (root.name != "svg") return false;
    Renderer renderer(root, graphics);
    return renderer.Render(root, width, height);
}

} // namespace svg
