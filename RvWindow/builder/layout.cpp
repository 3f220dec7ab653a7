#include "layout.h"

#include "dialog_record.h"

#include <algorithm>
#include <climits>

namespace rvw {
namespace {

LayoutMetrics g_metrics;
bool g_measured = false;

// Layout arithmetic is done wide and clamped so that extreme offsets, widths
// or line counts from a macro cannot overflow.
int32_t Clamp(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT_MIN / 2, INT_MAX / 2));
}

int64_t Units(int64_t units, int32_t rowHeight) {
    return units * rowHeight / 14;
}

// Window rectangles stay within 16-bit coordinates, what WM_MOVE and WM_SIZE
// can report and what the window system lays out in bounded time (a
// right-aligned edit a billion pixels wide stalls Wine's WM_SETTEXT).
constexpr int32_t kLowestCoordinate = -32768;
constexpr int32_t kHighestCoordinate = 32767;

int32_t WindowCoordinate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, kLowestCoordinate, kHighestCoordinate));
}
int32_t WindowSize(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, kHighestCoordinate));
}

} // namespace

const LayoutMetrics& Metrics() {
    return g_metrics;
}
bool MetricsMeasured() {
    return g_measured;
}

void SetMetricsFromItemHeight(int32_t h) {
    g_metrics.controlHeight = h;
    g_metrics.rowHeight = 3 * h / 2;
    g_metrics.rowGap = h / 5;
    g_metrics.topMargin = h / 2;
    g_metrics.leftMargin = h / 2;
    g_measured = true;
}

Placement PlaceControl(const DialogRecord& record, const ControlShape& shape) {
    const LayoutMetrics& m = g_metrics;
    Placement p{};
    p.columnX = record.columnX;
    p.rowY = record.rowY;
    p.rowBottom = record.rowBottom;
    p.pendingRow = record.pendingRow;
    p.pendingColumn = record.pendingColumn;

    const int64_t b = shape.xOffsetOrLines;
    const int64_t lines = b < 0 ? -b : 1;
    const int64_t fullHeight = m.rowHeight + (lines - 1) * m.controlHeight;
    const int64_t xOffset = std::max<int64_t>(b, 0);
    const int64_t left = Units(xOffset, m.rowHeight);
    const int64_t right = Units(xOffset + shape.width, m.rowHeight);

    if (p.pendingColumn) {
        // A new column starts at the top whatever the pending row says.
        p.pendingColumn = 0;
        p.columnX = Clamp(int64_t{record.maxRight} + 10);
        p.rowY = p.rowBottom = m.topMargin;
    } else {
        if (record.options & RVDIALOG_OPTION_NEW_ROW) p.pendingRow = 1;
        if (shape.joinsPreviousRow) p.pendingRow = 0;
        if (p.pendingRow) {
            p.rowY = Clamp(int64_t{p.rowBottom} + m.rowGap);
            p.pendingRow = 0;
        }
    }

    const int32_t shift = m.rowHeight / 5;
    p.x = WindowCoordinate(p.columnX + left);
    p.y = WindowCoordinate(int64_t{p.rowY} + (shape.isStatic ? shift : 0));
    p.width = WindowSize(right - left);
    p.height = WindowSize(shape.isCombobox ? fullHeight : fullHeight - shift);
    p.bottom = Clamp(p.rowY + fullHeight);
    return p;
}

void RecordPlaced(DialogRecord& record, const Placement& p, HWND control) {
    record.columnX = p.columnX;
    record.rowY = p.rowY;
    record.rowBottom = std::max(p.rowBottom, p.bottom);
    record.pendingRow = p.pendingRow;
    record.pendingColumn = p.pendingColumn;
    record.maxBottom = std::max(record.maxBottom, p.bottom);
    record.maxRight =
        std::max(record.maxRight, static_cast<int32_t>(ControlClientRect(control).right));
    record.layoutChanged = 1;
}

RECT ControlClientRect(HWND control) {
    RECT rect{};
    HWND parent = GetParent(control);
    if (!GetWindowRect(control, &rect) || !parent) return rect;
    // Mapped through the parent's real client origin, which also accounts
    // for a menu bar that a frame computed from the style alone would miss.
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void AutoSizeOnShow(DialogRecord& record) {
    if (!record.layoutChanged || !(record.options & RVDIALOG_OPTION_AUTO_SIZE)) return;
    const LayoutMetrics& m = g_metrics;
    RECT rect{0, 0, WindowSize(int64_t{record.maxRight} + m.leftMargin),
              WindowSize(int64_t{record.maxBottom} + m.topMargin)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(record.window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(record.window, GWL_EXSTYLE));
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    record.options &= ~RVDIALOG_OPTION_AUTO_SIZE;
    SetWindowPos(record.window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace rvw
