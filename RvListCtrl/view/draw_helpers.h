// Small drawing routines shared by the row and header painting.
#pragma once

#include <windows.h>

namespace rvl {

void FillSolid(HDC dc, const RECT& r, COLORREF colour);
// A vertical gradient from `top` to `bottom` colour.
void FillVerticalGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom);
// A one-pixel frame.
void FrameSolid(HDC dc, const RECT& r, COLORREF colour);
// A line from (x1, y1) to (x2, y2), the end point excluded.
void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
RECT Deflated(RECT r, int dx, int dy);
bool Intersects(const RECT& a, const RECT& b);

} // namespace rvl
