// The list's window procedure: a flat switch over the messages the list
// handles itself; everything else goes to the list box it replaced.
#include "rv_list_ctrl.h"

#include "RvListCtrl.h"

namespace rvl {
namespace {

// Child windows' messages come back to them with this offset added, so that
// a child can handle what it sent its parent.
constexpr UINT kReflectedOffset = 0x2000;

bool IsChildOf(HWND parent, HWND child) {
    return child && IsWindow(child) && (GetParent(child) == parent || IsChild(parent, child));
}

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

LRESULT CRvListCtrl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        Initialise();
        return DefaultProcessing(message, wParam, lParam);
    case WM_DESTROY:
        OnDestroy();
        return DefaultProcessing(message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window_, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_LBUTTONDOWN:
        RelayToToolTip(message, wParam, lParam);
        OnLeftDown(wParam, PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        RelayToToolTip(message, wParam, lParam);
        OnLeftUp(wParam, PointOf(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        RelayToToolTip(message, wParam, lParam);
        OnLeftDoubleClick(wParam, PointOf(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        RelayToToolTip(message, wParam, lParam);
        OnRightDown(wParam, PointOf(lParam));
        return 0;
    case WM_RBUTTONUP:
        RelayToToolTip(message, wParam, lParam);
        OnRightUp(wParam, PointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        RelayToToolTip(message, wParam, lParam);
        OnMouseMove(wParam, PointOf(lParam));
        return 0;
    case WM_MOUSELEAVE:
        RelayToToolTip(message, wParam, lParam);
        OnMouseLeave();
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        return 0; // the list box must not search rows of its own
    case WM_ERASEBKGND:
        return 1; // painting is double-buffered
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        if (dc) Paint(dc, ps.rcPaint);
        EndPaint(window_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(window_, &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnWheel(static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_CANCELMODE:
        OnCancelMode();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_SYSKEYDOWN:
        HideTitleTip(false);
        return DefaultProcessing(message, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_FONTCHANGE:
    case WM_THEMECHANGED:
        ReinitialiseAll();
        return 0;
    case WM_COMMAND:
        if (IsChildOf(window_, reinterpret_cast<HWND>(lParam)))
            return SendMessageW(reinterpret_cast<HWND>(lParam), message + kReflectedOffset, wParam,
                                lParam);
        return DefaultProcessing(message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ReflectColour(message, wParam, lParam);
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && static_cast<int>(header->code) == ListEndEdit) {
            // Only our own editors end an edit; anything else claiming to is ignored.
            if (header->hwndFrom && header->hwndFrom == EditorWindowOf(header->hwndFrom))
                OnEndEdit(*reinterpret_cast<const RvListNotify*>(lParam));
            return 0;
        }
        if (header && IsChildOf(window_, header->hwndFrom))
            return SendMessageW(header->hwndFrom, message + kReflectedOffset, wParam, lParam);
        return 0;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && IsChildOf(window_, item->hwndItem))
            return SendMessageW(item->hwndItem, message + kReflectedOffset, wParam, lParam);
        return DefaultProcessing(message, wParam, lParam);
    }
    default:
        return DefaultProcessing(message, wParam, lParam);
    }
}

LRESULT CRvListCtrl::ReflectColour(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND child = reinterpret_cast<HWND>(lParam);
    if (IsChildOf(window_, child)) {
        // A child that does not colour itself gets the usual brush.
        if (LRESULT brush = SendMessageW(child, message + kReflectedOffset, wParam, lParam))
            return brush;
    }
    return DefaultProcessing(message, wParam, lParam);
}

void CRvListCtrl::OnSize() {
    StopSmooth();
    CloseEditor();
    if (!scroll_.resetting) ResetScrollBars(kBarBoth, -1, true);
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::OnTimer(UINT_PTR id) {
    switch (id) {
    case kResizeTimer:
        ResizeStep(true);
        break;
    case kSmoothTimer:
        SmoothStep();
        break;
    case kEditTimer:
        OnEditTimer();
        break;
    case kBandTimer:
        BandTick();
        break;
    default:
        break;
    }
}

void CRvListCtrl::OnCancelMode() {
    if (GetCapture() == window_) ReleaseCapture();
    HideTitleTip(false);
    HideDragArrows();
    pointer_.pressedColumn = kNone;
    dragDrop_.draggedColumn = kNone;
    pointer_.resizing = false;
    pointer_.buttonDown = false;
    KillTimer(window_, kResizeTimer);
    if (pointer_.banding) EndBand();
}

} // namespace rvl
