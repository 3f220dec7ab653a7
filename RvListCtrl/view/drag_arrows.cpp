// The drag-arrows window marking the header gap a dragged column would drop
// into, and the drag of a header column itself.
#include "rv_list_ctrl.h"

#include "header_drop.h"
#include "rv_module.h"

namespace rvl {
namespace {

const wchar_t kArrowsClass[] = L"RvListCtrlDragArrows";
constexpr int kArrowsWidth = 12;
constexpr int kArrowsExtraHeight = 20; // above and below the header
constexpr COLORREF kArrowsColour = 0x0000FF;
constexpr int kArrowHeight = 10;

LRESULT CALLBACK ArrowsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        HBRUSH brush = CreateSolidBrush(kArrowsColour);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterArrowsClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    if (GetClassInfoW(instance, kArrowsClass, &wc)) return true;
    wc.lpfnWndProc = ArrowsProc;
    wc.hInstance = instance;
    wc.lpszClassName = kArrowsClass;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    return RegisterClassW(&wc) != 0;
}

// Two arrows, one at the top pointing down and one at the bottom pointing up.
HRGN ArrowsRegion(int height) {
    const int w = kArrowsWidth, mid = kArrowsWidth / 2, stem = 2;
    const POINT down[7] = {{mid - stem, 0},
                           {mid + stem, 0},
                           {mid + stem, kArrowHeight / 2},
                           {w, kArrowHeight / 2},
                           {mid, kArrowHeight},
                           {0, kArrowHeight / 2},
                           {mid - stem, kArrowHeight / 2}};
    const int b = height;
    const POINT up[7] = {{mid - stem, b},
                         {mid + stem, b},
                         {mid + stem, b - kArrowHeight / 2},
                         {w, b - kArrowHeight / 2},
                         {mid, b - kArrowHeight},
                         {0, b - kArrowHeight / 2},
                         {mid - stem, b - kArrowHeight / 2}};
    POINT points[14];
    for (int i = 0; i < 7; ++i) {
        points[i] = down[i];
        points[7 + i] = up[i];
    }
    const INT counts[2] = {7, 7};
    return CreatePolyPolygonRgn(points, counts, 2, WINDING);
}

} // namespace

void CRvListCtrl::CreateDragArrows() {
    dragDrop_.arrows.reset();
    HINSTANCE instance = rv::ThisModule();
    if (!RegisterArrowsClass(instance)) return;
    dragDrop_.arrowsHeight = metrics_.headerHeight + kArrowsExtraHeight;
    HWND arrows = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kArrowsClass, L"",
                                  WS_POPUP | WS_DISABLED, 0, 0, kArrowsWidth,
                                  dragDrop_.arrowsHeight, window_, nullptr, instance, nullptr);
    if (!arrows) return;
    SetWindowRgn(arrows, ArrowsRegion(dragDrop_.arrowsHeight), FALSE); // the window owns it
    dragDrop_.arrows.reset(arrows);
}

void CRvListCtrl::ShowDragArrows(int32_t gap) {
    if (!dragDrop_.arrows) return;
    POINT at{ColumnLeft(gap) - kArrowsWidth / 2, -kArrowsExtraHeight / 2};
    ClientToScreen(window_, &at);
    SetWindowPos(dragDrop_.arrows.get(), HWND_TOPMOST, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CRvListCtrl::HideDragArrows() {
    if (dragDrop_.arrows) ShowWindow(dragDrop_.arrows.get(), SW_HIDE);
}

int32_t CRvListCtrl::DropGap(POINT p) const {
    const int32_t dragged = dragDrop_.draggedColumn;
    if (!ColumnAt(dragged) || !view_.headerShown || p.y < 0 || p.y > metrics_.headerHeight)
        return -1;
    for (int i = 0; i < ColumnCount(); ++i) {
        const int left = ColumnLeft(i), width = DrawnWidth(i);
        if (p.x >= left && p.x < left + width) {
            const int32_t gap = p.x >= left + width / 2 ? i + 1 : i;
            return gap == dragged || gap == dragged + 1 ? -1 : gap;
        }
    }
    return -1;
}

bool CRvListCtrl::DropColumnAtGap(int32_t gap) {
    const int32_t dragged = dragDrop_.draggedColumn;
    if (!ColumnAt(dragged) || gap < 0 || gap > ColumnCount() || gap == dragged ||
        gap == dragged + 1)
        return false;
    if (!MoveColumn(dragged, gap > dragged ? gap - 1 : gap)) return false;
    Selected().focusSubItem = kNone;
    ResetScrollBars(kBarBoth, -1, true);
    InvalidateRect(window_, nullptr, FALSE);
    return true;
}

void CRvListCtrl::PrepareHeaderDrag(int32_t column) {
    dragDrop_.draggedColumn = column;
}

void CRvListCtrl::EndHeaderDrag() {
    HideDragArrows();
    dragDrop_.draggedColumn = kNone;
    pointer_.pressedColumn = kNone;
    InvalidateHeader();
}

void CRvListCtrl::BeginHeaderDrag(int32_t column) {
    if (!ColumnAt(column) || !dragDrop_.target) return;
    PrepareHeaderDrag(column);
    if (GetCapture() == window_) ReleaseCapture();
    auto* data = new (std::nothrow) HeaderDataObject(window_, dragDrop_.clipboardFormat);
    auto* source = new (std::nothrow) HeaderDropSource();
    if (data && source) {
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(data, source, DROPEFFECT_MOVE, &effect);
    }
    if (data) data->Release();
    if (source) source->Release();
    EndHeaderDrag();
}

} // namespace rvl
