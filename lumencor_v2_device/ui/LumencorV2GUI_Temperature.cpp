#include "LumencorV2GUI_Temperature.h"

#include "KaDMApi.h"
#include "KaGUI.h"
#include "LumencorV2Device.h"
#include "LumencorV2PadText.h"
#include "resource.h"

namespace {
const wchar_t kClassName[] = L"KaLumencorV2GUI_Temperature";
const int kTextX = 10, kTextY = 0, kTextWidth = 240, kTextHeight = 20;
const wchar_t kDegreeSign = 176;
const size_t kTextChars = 128;
} // namespace

CKaLumencorV2Panel::WindowMap CKaLumencorV2UI_Temperature::s_windows;

CKaLumencorV2UI_Temperature::CKaLumencorV2UI_Temperature(CKaLumencorV2Pad* pad,
                                                         CKaLumencorV2Device* device)
    : CKaLumencorV2Panel(pad, device, kDefaultWidth, kDefaultHeight) {}

CKaLumencorV2UI_Temperature::~CKaLumencorV2UI_Temperature() {
    Destroy();
}

LRESULT CALLBACK CKaLumencorV2UI_Temperature::Procedure(HWND window, UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
    return PanelProcedure(s_windows, window, message, wParam, lParam);
}

bool CKaLumencorV2UI_Temperature::Create(HWND parent, int x, int y) {
    if (!m_pDevice) return false;
    if (!CreatePanelWindow(parent, x, y, kClassName, L"CKaLumencorV2UI_Temperature", s_windows,
                           Procedure))
        return false;
    m_hText = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, kTextX, kTextY,
        kTextWidth, kTextHeight, m_hWnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PAD_TEMPERATURE)), nullptr, nullptr);
    SendMessageW(m_hText, WM_SETFONT, reinterpret_cast<WPARAM>(KA_GetDefaultGuiFont()), FALSE);
    // Designed at zoom 1.0: the panel and its text follow the current zoom.
    CKaGUILayoutManager::ResizeWindowToGuiZoom(m_hWnd, 1.0);
    CKaGUILayoutManager::ResizeWindowToGuiZoom(m_hText, 1.0);
    RECT rect;
    GetWindowRect(m_hWnd, &rect);
    m_iWidth = rect.right - rect.left;
    m_iHeight = rect.bottom - rect.top;
    Refresh();
    return true;
}

void CKaLumencorV2UI_Temperature::Refresh() {
    if (!m_pDevice || !m_hText) return;
    wchar_t text[kTextChars];
    {
        CKaScopedLock dataLock(m_pDevice->DataLock());
        lumencor::FormatTranslated(text, kTextChars, L"Temperature: %d%cC, Supply: %dmA, %dW",
                                   static_cast<int>(m_pDevice->GetTemperature()), kDegreeSign,
                                   static_cast<int>(m_pDevice->GetSupplyCurrent()),
                                   static_cast<int>(m_pDevice->GetSupplyPower()));
    }
    SetWindowTextW(m_hText, text);
}

LRESULT CKaLumencorV2UI_Temperature::HandleMessage(UINT message, WPARAM, LPARAM, bool* handled) {
    *handled = message == KA_WM_GUI_ZOOM_CHANGED;
    if (*handled && m_hWnd) {
        const double previous = CKaGUILayoutManager::GetPreviousGuiZoom();
        CKaGUILayoutManager::ResizeWindowToGuiZoom(m_hWnd, previous);
        if (m_hText) CKaGUILayoutManager::ResizeWindowToGuiZoom(m_hText, previous);
    }
    return 0;
}
