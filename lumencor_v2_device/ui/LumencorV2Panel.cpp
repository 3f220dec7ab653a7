#include "LumencorV2Panel.h"

#include "KaGUI.h"
#include "LumencorV2Log.h"
#include "LumencorV2PadPaint.h"
#include "LumencorV2PadResources.h"

CKaLumencorV2Panel::CKaLumencorV2Panel(CKaLumencorV2Pad* pad, CKaLumencorV2Device* device,
                                       int width, int height)
    : m_pPad(pad), m_pDevice(device), m_iWidth(width), m_iHeight(height) {}

CKaLumencorV2Panel::~CKaLumencorV2Panel() {
    Destroy();
}

void CKaLumencorV2Panel::Destroy() {
    if (m_hWnd) DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

bool CKaLumencorV2Panel::Place(int x, int y, bool show) {
    if (!m_hWnd) return false;
    const bool wasVisible = (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return wasVisible != show;
}

void CKaLumencorV2Panel::SetSize(int width, int height) {
    m_iWidth = width;
    m_iHeight = height;
    if (m_hWnd)
        SetWindowPos(m_hWnd, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CKaLumencorV2Panel::CreatePanelWindow(HWND parent, int x, int y, const wchar_t* className,
                                           const wchar_t* logName, WindowMap&, WNDPROC procedure) {
    Destroy();
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(lumencor::ThisModule(), className, &existing)) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = procedure;
        wc.hInstance = lumencor::ThisModule();
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc))
            KA_DIAG(true, L"%ls::Create - RegisterClass failed - lasterror = %d", logName,
                    static_cast<int>(GetLastError()));
    }
    m_hWnd = CreateWindowExW(WS_EX_CONTROLPARENT, className, L"", WS_CHILD | WS_CLIPCHILDREN, x, y,
                             m_iWidth, m_iHeight, parent, nullptr, lumencor::ThisModule(), this);
    return m_hWnd != nullptr;
}

LRESULT CKaLumencorV2Panel::PanelProcedure(WindowMap& windows, HWND window, UINT message,
                                           WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (create->lpCreateParams)
            windows[window] = static_cast<CKaLumencorV2Panel*>(create->lpCreateParams);
    }
    auto found = windows.find(window);
    CKaLumencorV2Panel* panel = found == windows.end() ? nullptr : found->second;
    if (message == WM_NCDESTROY) {
        windows.erase(window);
        if (panel && panel->m_hWnd == window) panel->m_hWnd = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (!panel) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        lumencor::PaintBuffered(window, DefWindowProcW);
        return 0;
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, KA_GetSysColorBrush(COLOR_BTNFACE));
        return 0;
    }
    }
    bool handled = false;
    LRESULT result = panel->HandleMessage(message, wParam, lParam, &handled);
    return handled ? result : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CKaLumencorV2Panel::HandleMessage(UINT, WPARAM, LPARAM, bool* handled) {
    *handled = false;
    return 0;
}
