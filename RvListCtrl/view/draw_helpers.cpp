#include "draw_helpers.h"

#include "gdi.h"

namespace rvl {
namespace {

COLOR16 Channel(BYTE value) {
    return static_cast<COLOR16>(value << 8);
}

} // namespace

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void FillVerticalGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    TRIVERTEX vertices[2] = {{r.left, r.top, Channel(GetRValue(top)), Channel(GetGValue(top)),
                              Channel(GetBValue(top)), 0},
                             {r.right, r.bottom, Channel(GetRValue(bottom)),
                              Channel(GetGValue(bottom)), Channel(GetBValue(bottom)), 0}};
    GRADIENT_RECT rect = {0, 1};
    if (!GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V)) FillSolid(dc, r, top);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    FillSolid(dc, {r.left, r.top, r.right, r.top + 1}, colour);
    FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
    FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom}, colour);
    FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
    OwnedPen pen(CreatePen(PS_SOLID, 1, colour));
    SelectGdi select(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

RECT Deflated(RECT r, int dx, int dy) {
    InflateRect(&r, -dx, -dy);
    return r;
}

bool Intersects(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

} // namespace rvl
