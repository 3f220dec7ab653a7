// The host's named images, drawn as vector shapes at any size.
#include "KaGUI.h"
#include "KaUIPaint.h"

#include <cmath>
#include <cwchar>

namespace {

enum { kImageSettings = 0 };
const wchar_t* const kImageNames[] = {L"SETTINGS"};
const int kImageCount = static_cast<int>(sizeof kImageNames / sizeof kImageNames[0]);

const double kPi = 3.14159265358979323846;
const int kGearTeeth = 8;

// A gear: toothed outline with a hole.
void DrawGear(HDC dc, const RECT& box, COLORREF colour, COLORREF hole) {
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double outer = (box.right - box.left) / 2.0, inner = outer * 0.72;
    POINT points[kGearTeeth * 4];
    for (int i = 0; i < kGearTeeth * 4; ++i) {
        double angle = 2.0 * kPi * (i - 0.5) / (kGearTeeth * 4);
        double radius = (i % 4 == 1 || i % 4 == 2) ? outer : inner;
        points[i].x = static_cast<LONG>(std::lround(cx + radius * std::cos(angle)));
        points[i].y = static_cast<LONG>(std::lround(cy + radius * std::sin(angle)));
    }
    CKaSelectObject pen(dc, CreatePen(PS_SOLID, 1, colour), true);
    CKaSelectObject brush(dc, CreateSolidBrush(colour), true);
    Polygon(dc, points, kGearTeeth * 4);
    const double r = outer * 0.3;
    CKaSelectObject holeBrush(dc, CreateSolidBrush(hole), true);
    Ellipse(dc, static_cast<int>(cx - r), static_cast<int>(cy - r), static_cast<int>(cx + r + 1),
            static_cast<int>(cy + r + 1));
}

} // namespace

int CKaBitmapPool::AddImageBaseUI(const wchar_t* name) {
    if (!name) return -1;
    for (int i = 0; i < kImageCount; ++i)
        if (std::wcscmp(name, kImageNames[i]) == 0) return i;
    return -1;
}

bool CKaBitmapPool::DrawOptimalImage(HDC dc, int index, const RECT& rect, bool disabled) {
    if (!dc || index < 0 || index >= kImageCount) return false;
    int side = rect.right - rect.left < rect.bottom - rect.top ? rect.right - rect.left
                                                               : rect.bottom - rect.top;
    if (side <= 0) return true;
    RECT box;
    box.left = rect.left + (rect.right - rect.left - side) / 2;
    box.top = rect.top + (rect.bottom - rect.top - side) / 2;
    box.right = box.left + side;
    box.bottom = box.top + side;
    COLORREF colour = disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(70, 90, 120);
    if (index == kImageSettings) DrawGear(dc, box, colour, GetSysColor(COLOR_BTNFACE));
    return true;
}
