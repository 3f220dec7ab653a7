// The shutter button: an icon of the shutter's state and the shutter's
// name, drawn as a push button; mouse and keyboard toggle it.
#include "KaDMApi.h"
#include "KaDevUI.h"
#include "KaDeviceShutter.h"
#include "KaGUI.h"
#include "KaHostHooks.h"
#include "KaUIPaint.h"

namespace {
const wchar_t kShutterClass[] = L"KaDevUI_Shutter";
// Design measures at zoom 1.0.
const int kHeight = 25, kIconMargin = 4, kTextPadding = 8;
const int kDefaultWidth = 80;
} // namespace

struct KaDevUIShutterWindow {
    static void Paint(HWND window, CKaDevUI_Shutter& shutter) {
        CKaPaintScope paint(window);
        RECT client;
        GetClientRect(window, &client);
        CKaMemoryPaint memory(paint.DC(), client);
        HDC dc = memory.DC();
        FillRect(dc, &client, KA_GetSysColorBrush(COLOR_BTNFACE));
        const int state = !shutter.m_bEnabled  ? KA_BUTTON_DISABLED
                          : shutter.m_bPressed ? KA_BUTTON_PRESSED
                                               : KA_BUTTON_NORMAL;
        KA_DrawButtonBackground(dc, client, state);
        const int side = client.bottom - 2 * KaZoomed(kIconMargin);
        const int left = KaZoomed(kIconMargin), top = KaZoomed(kIconMargin);
        // Open: a lit aperture; closed: a dark disc crossed by its blades.
        const COLORREF rim = KA_GetSysColor(shutter.m_bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
        const COLORREF fill = shutter.m_bOpen ? RGB(255, 214, 64) : RGB(60, 60, 60);
        {
            CKaSelectObject pen(dc, CreatePen(PS_SOLID, 1, rim), true);
            CKaSelectObject brush(dc, CreateSolidBrush(fill), true);
            Ellipse(dc, left, top, left + side, top + side);
            if (!shutter.m_bOpen) {
                MoveToEx(dc, left + side / 2, top, nullptr);
                LineTo(dc, left + side / 2, top + side);
                MoveToEx(dc, left, top + side / 2, nullptr);
                LineTo(dc, left + side, top + side / 2);
            }
        }
        CKaSelectObject font(dc, KA_GetDefaultGuiFont(), false);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, rim);
        RECT text = {left + side + KaZoomed(kIconMargin), 0, client.right - KaZoomed(kIconMargin),
                     client.bottom};
        DrawTextW(dc, shutter.m_sName, -1, &text,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (GetFocus() == window) {
            RECT focus = client;
            InflateRect(&focus, -2, -2);
            DrawFocusRect(dc, &focus);
        }
    }

    static void Press(HWND window, CKaDevUI_Shutter& shutter, bool down) {
        shutter.m_bPressed = down;
        InvalidateRect(window, nullptr, FALSE);
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* shutter =
            reinterpret_cast<CKaDevUI_Shutter*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            if (shutter) shutter->m_hWnd = nullptr;
        }
        if (!shutter) return DefWindowProcW(window, message, wParam, lParam);
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(window, *shutter);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_BUTTON;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            if (!shutter->m_bEnabled) return 0;
            SetFocus(window);
            SetCapture(window);
            Press(window, *shutter, true);
            return 0;
        case WM_LBUTTONUP: {
            // Releasing the capture clears the pressed state: read it first.
            const bool pressed = shutter->m_bPressed;
            if (GetCapture() == window) ReleaseCapture();
            if (!pressed) return 0;
            Press(window, *shutter, false);
            RECT client;
            GetClientRect(window, &client);
            POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (PtInRect(&client, point)) shutter->OnShutterButtonPressed(!shutter->m_bOpen);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (shutter->m_bPressed) Press(window, *shutter, false);
            return 0;
        case WM_KEYDOWN:
            if ((wParam == VK_SPACE || wParam == VK_RETURN) && shutter->m_bEnabled)
                shutter->OnShutterButtonPressed(!shutter->m_bOpen);
            else if (wParam == VK_APPS)
                shutter->OnOpenConfiguration();
            return 0;
        case WM_RBUTTONUP:
            shutter->OnOpenConfiguration();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

CKaDevUI_Base::CKaDevUI_Base() = default;

CKaDevUI_Base::~CKaDevUI_Base() {
    if (m_hWnd) DestroyWindow(m_hWnd);
}

int CKaDevUI_Base::GetWidth() const {
    RECT rect = {};
    if (m_hWnd) GetWindowRect(m_hWnd, &rect);
    return rect.right - rect.left;
}

int CKaDevUI_Base::GetHeight() const {
    RECT rect = {};
    if (m_hWnd) GetWindowRect(m_hWnd, &rect);
    return rect.bottom - rect.top;
}

CKaDevUI_Shutter::CKaDevUI_Shutter() = default;

CKaDevUI_Shutter::~CKaDevUI_Shutter() = default;

bool CKaDevUI_Shutter::Create(HWND parent, int x, int y, int width, int height, bool visible,
                              bool enabled) {
    if (m_hWnd) DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    static const bool registered =
        KaRegisterUIClass(kShutterClass, KaDevUIShutterWindow::Procedure);
    if (!registered) return false;
    m_bEnabled = enabled;
    if (width < 0) width = KaZoomed(kDefaultWidth);
    if (height < 0) height = KaZoomed(kHeight);
    m_hWnd =
        CreateWindowExW(0, kShutterClass, L"", WS_CHILD | WS_TABSTOP | (visible ? WS_VISIBLE : 0),
                        x, y, width, height, parent, nullptr, KaUIModule(), this);
    if (m_hWnd && m_bAutomatic) FitWidth();
    return m_hWnd != nullptr;
}

void CKaDevUI_Shutter::SetAutomaticallyResizable(bool automatic, int minWidth, int maxWidth) {
    m_bAutomatic = automatic;
    m_iMinWidth = minWidth > 0 ? minWidth : 1;
    m_iMaxWidth = maxWidth >= m_iMinWidth ? maxWidth : m_iMinWidth;
    if (m_hWnd && m_bAutomatic) FitWidth();
}

void CKaDevUI_Shutter::FitWidth() {
    HDC dc = GetDC(m_hWnd);
    SIZE text = {0, 0};
    {
        CKaSelectObject font(dc, KA_GetDefaultGuiFont(), false);
        GetTextExtentPoint32W(dc, m_sName, static_cast<int>(m_sName.GetLength()), &text);
    }
    ReleaseDC(m_hWnd, dc);
    const int height = GetHeight();
    int width = height + text.cx + KaZoomed(kTextPadding);
    const int minWidth = KaZoomed(m_iMinWidth), maxWidth = KaZoomed(m_iMaxWidth);
    width = width < minWidth ? minWidth : (width > maxWidth ? maxWidth : width);
    SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKaDevUI_Shutter::Update(int shutterId, bool state, bool name, bool redraw) {
    IKaLogicalDevice* device = DMApiHooks::LogDev_Get(shutterId);
    auto* shutter = dynamic_cast<IKaDeviceShutter*>(device);
    if (shutter && state) {
        bool open = false;
        if (shutter->GetShutterState(&open) == KA_DM_OK) m_bOpen = open;
    }
    if (name) {
        CKaStringW key;
        if (DMApi::LogDev_GetKey(shutterId, key)) m_sName = key;
        if (m_hWnd && m_bAutomatic) FitWidth();
    }
    if (redraw) UpdateShutterIcon();
}

void CKaDevUI_Shutter::SetEnabled(bool enabled) {
    m_bEnabled = enabled;
    if (!enabled) m_bPressed = false;
    UpdateShutterIcon();
}

void CKaDevUI_Shutter::UpdateShutterIcon() {
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CKaDevUI_Shutter::OnShutterButtonPressed(bool open) {
    m_bOpen = open;
    UpdateShutterIcon();
}

void CKaDevUI_Shutter::OnOpenConfiguration() {}
