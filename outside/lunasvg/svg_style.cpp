#include "svg_style.h"

#include "svg_numbers.h"

#include <algorithm>

namespace svg {
namespace {

// The value of `name` in a style attribute ("fill:red; stroke : blue"), or false.
bool FromStyleAttribute(std::string_view style, std::string_view name, std::string* value) {
    size_t at = 0;
    bool found = false;
    while (at < style.size()) {
        size_t end = style.find(';', at);
        if (end == std::string_view::npos) end = style.size();
        const std::string_view declaration = style.substr(at, end - at);
        const size_t colon = declaration.find(':');
        if (colon != std::string_view::npos && Trim(declaration.substr(0, colon)) == name) {
            std::string_view v = Trim(declaration.substr(colon + 1));
            const size_t important = v.find("!important");
            if (important != std::string_view::npos) v = Trim(v.substr(0, important));
            value->assign(v);
            found = true; // the last declaration wins
        }
        at = end + 1;
    }
    return found;
}

double Fraction(const std::string* v, double fallback) {
    double out;
    if (!v) return fallback;
    const std::string_view t = Trim(*v);
    if (!t.empty() && t.back() == '%' && ParseNumber(t.substr(0, t.size() - 1), &out))
        return std::clamp(out / 100, 0.0, 1.0);
    return ParseNumber(t, &out) ? std::clamp(out, 0.0, 1.0) : fallback;
}

} // namespace

const std::string* PropertyOf(const Element& e, std::string_view name, std::string* storage) {
    if (const std::string* style = e.Attribute("style"))
        if (FromStyleAttribute(*style, name, storage)) return storage;
    const std::string* attribute = e.Attribute(name);
    if (attribute && Trim(*attribute) != "inherit") return attribute;
    return nullptr;
}

Style StyleOf(const Element& e, const Style& parent) {
    Style s = parent;
    s.opacity = parent.opacity;
    s.displayed = true;
    std::string storage;
    auto property = [&](const char* name) { return PropertyOf(e, name, &storage); };

    if (const std::string* v = property("color")) ParseColour(*v, &s.colour);
    if (const std::string* v = property("fill")) {
        Paint p;
        if (ParsePaint(*v, &p)) s.fill = p;
    }
    if (const std::string* v = property("stroke")) {
        Paint p;
        if (ParsePaint(*v, &p)) s.stroke = p;
    }
    if (const std::string* v = property("stroke-width")) {
        double w;
        if (ParseLength(*v, 100, &w) && w >= 0) s.strokeWidth = w;
    }
    s.fillOpacity = Fraction(property("fill-opacity"), s.fillOpacity);
    s.strokeOpacity = Fraction(property("stroke-opacity"), s.strokeOpacity);
    s.opacity = parent.opacity * Fraction(property("opacity"), 1);
    if (const std::string* v = property("fill-rule")) s.evenOdd = Trim(*v) == "evenodd";
    if (const std::string* v = property("stroke-linecap")) {
        const std::string_view t = Trim(*v);
        s.cap = t == "round" ? LineCap::Round : t == "square" ? LineCap::Square : LineCap::Butt;
    }
    if (const std::string* v = property("stroke-linejoin")) {
        const std::string_view t = Trim(*v);
        s.join = t == "round" ? LineJoin::Round : t == "bevel" ? LineJoin::Bevel : LineJoin::Miter;
    }
    if (const std::string* v = property("stroke-miterlimit")) {
        double m;
        if (ParseNumber(*v, &m) && m >= 1) s.miterLimit = m;
    }
    if (const std::string* v = property("visibility")) s.visible = Trim(*v) == "visible";
    if (const std::string* v = property("display")) s.displayed = Trim(*v) != "none";
    return s;
}

} // namespace svg
