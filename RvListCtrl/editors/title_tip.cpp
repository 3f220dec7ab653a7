#include "title_tip.h"

#include "draw_helpers.h"
#include "rv_module.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

namespace rvl {
namespace {

const wchar_t kTipClass[] = L"RvListCtrlTitleTip";
constexpr int kTextLeft = 4; // of the tip's text inside it
constexpr int kMaxToolTipWidth = 32767;
constexpr size_t kMaxToolTipText = 32767;
constexpr UINT_PTR kItemTool = 1000;
constexpr int kOuterCorner = 5, kInnerCorner = 2;
constexpr COLORREF kOuterBorder = 0xDCDCDC, kInnerBorder = 0xF5F5F5;
constexpr COLORREF kGradientTop = 0xFAFAFA, kGradientBottom = 0xEBEBEB;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

bool RegisterTipClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSW wc{};
    if (GetClassInfoW(instance, kTipClass, &wc)) return true;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = kTipClass;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    return RegisterClassW(&wc) != 0;
}

void RoundFrame(HDC dc, const RECT& r, int corner, COLORREF colour) {
    OwnedPen pen(CreatePen(PS_SOLID, 1, colour));
    SelectGdi p(dc, pen.get()), b(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, r.left, r.top, r.right, r.bottom, corner, corner);
}

// The non-client message a button message stands for over a non-client part.
UINT NonClientMessage(UINT message) {
    return message - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
}

} // namespace

bool CTitleTip::Create(HWND list, bool themed) {
    Destroy();
    list_ = list;
    themed_ = themed;
    HINSTANCE instance = rv::ThisModule();
    if (!RegisterTipClass(instance, &Procedure)) return false;
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTipClass, nullptr, WS_POPUP, 0,
                                  0, 0, 0, list, nullptr, instance, this));
    if (!window_) return false;
    background_ = GetSysColor(COLOR_INFOBK);
    text_ = themed && IsThemeActive() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_INFOTEXT);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));

    toolTip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.get(),
                                   nullptr, nullptr, nullptr));
    if (toolTip_) {
        SendMessageW(toolTip_.get(), TTM_SETMAXTIPWIDTH, 0, kMaxToolTipWidth);
        // One tool over the list and one over the tip, both showing the item's text.
        for (HWND over : {list_, window_.get()}) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = over;
            tool.uId = kItemTool;
            tool.lpszText = const_cast<wchar_t*>(L"");
            GetClientRect(over, &tool.rect);
            tool.rect.right = tool.rect.bottom = 32767;
            SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        SendMessageW(toolTip_.get(), TTM_ACTIVATE, FALSE, 0);
    }
    return true;
}

void CTitleTip::Destroy() {
    Hide();
    toolTip_.reset(); // the tool tip goes with the tip
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

int CTitleTip::TextWidth(const std::wstring& text) const {
    if (text.empty() || !window_) return 0;
    HDC dc = GetDC(window_.get());
    if (!dc) return 0;
    RECT r{0, 0, 0, 0};
    {
        SelectGdi f(dc, font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc, text.c_str(), static_cast<int>(std::min<size_t>(text.size(), INT_MAX)), &r,
                  DT_CALCRECT | kTextFormat);
    }
    ReleaseDC(window_.get(), dc);
    return r.right - r.left;
}

void CTitleTip::Show(const std::wstring& text, int left, const RECT& area, int width) {
    if (!window_) return;
    shown_ = text;
    POINT origin{left, area.top};
    ClientToScreen(list_, &origin);
    SetWindowPos(window_.get(), HWND_TOPMOST, origin.x, origin.y, width, area.bottom - area.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_.get(), nullptr, FALSE);
    SetCapture(window_.get());
}

void CTitleTip::Hide() {
    if (!window_) return;
    if (GetCapture() == window_.get()) ReleaseCapture();
    if (IsWindowVisible(window_.get())) ShowWindow(window_.get(), SW_HIDE);
}

void CTitleTip::SetItemToolTip(const std::wstring& text) {
    if (!toolTip_) return;
    itemToolTip_ = text.substr(0, kMaxToolTipText);
    for (HWND over : {list_, window_.get()}) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = over;
        tool.uId = kItemTool;
        tool.lpszText = itemToolTip_.data();
        SendMessageW(toolTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageW(toolTip_.get(), TTM_ACTIVATE, itemToolTip_.empty() ? FALSE : TRUE, 0);
}

void CTitleTip::Relay(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!toolTip_) return;
    MSG msg{window_.get(), message, wParam, lParam, 0, {}};
    SendMessageW(toolTip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

LRESULT CALLBACK CTitleTip::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) { // the tip's record, until WM_NCDESTROY
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* tip = reinterpret_cast<CTitleTip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!tip || tip->window_.get() != window)
        return DefWindowProcW(window, message, wParam, lParam);
    return tip->Handle(message, wParam, lParam);
}

LRESULT CTitleTip::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(window, &ps)) Paint(dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE: {
        Relay(message, wParam, lParam);
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(window, &p);
        RECT r;
        GetWindowRect(window, &r);
        if (!PtInRect(&r, p)) Hide();
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        Relay(message, wParam, lParam);
        PassButtonToList(message, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void CTitleTip::PassButtonToList(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window_.get(), &p);
    const LRESULT hit = SendMessageW(list_, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    if (hit == HTCLIENT) {
        ScreenToClient(list_, &p);
        PostMessageW(list_, message, wParam, MAKELPARAM(p.x, p.y));
    } else {
        PostMessageW(list_, NonClientMessage(message), static_cast<WPARAM>(hit),
                     MAKELPARAM(p.x, p.y));
    }
}

void CTitleTip::Paint(HDC dc) {
    RECT r;
    GetClientRect(window_.get(), &r);
    if (themed_) {
        FillSolid(dc, r, background_);
        RoundFrame(dc, r, kOuterCorner, kOuterBorder);
        const RECT inner = Deflated(r, 1, 1);
        RoundFrame(dc, inner, kInnerCorner, kInnerBorder);
        FillVerticalGradient(dc, Deflated(inner, 1, 1), kGradientTop, kGradientBottom);
    } else {
        FillSolid(dc, r, background_);
        FrameSolid(dc, r, text_);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_);
    SelectGdi f(dc, font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
    RECT text = r;
    text.left += kTextLeft;
    DrawTextW(dc, shown_.c_str(), static_cast<int>(std::min<size_t>(shown_.size(), INT_MAX)), &text,
              kTextFormat);
}

} // namespace rvl
