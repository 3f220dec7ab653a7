// The pad as a host element: creation, children, layout and rebuild.
#include "LumencorV2Pad.h"

#include "KaDMApi.h"
#include "KaSystem.h"
#include "LumencorV2Device.h"
#include "LumencorV2PadResources.h"
#include "LumencorV2PadText.h"
#include "resource.h"

#include <cmath>
#include <cwchar>

namespace {
int Zoomed(double measure) {
    return static_cast<int>(std::lround(CKaGUILayoutManager::GetGuiZoom() * measure));
}
// The Configure... button's place before the first layout.
const int kConfigureX = 155, kConfigureY = 17;

// Places a child without resizing it, shown or hidden; true when its
// visibility changed.
bool PlaceChild(HWND child, int x, int y, bool show) {
    if (!child) return false;
    const bool wasVisible = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
    SetWindowPos(child, nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return wasVisible != show;
}
} // namespace

INT_PTR CALLBACK KaLumencorV2PadProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

CKaLumencorV2Pad::CKaLumencorV2Pad(CKaLumencorV2Device* owner) : m_pOwner(owner) {}

CKaLumencorV2Pad::~CKaLumencorV2Pad() {
    Destroy();
}

HWND CKaLumencorV2Pad::Create(const wchar_t* name, HWND parent, CKaGUIElement* host) {
    if (m_bOwnsWindow && GetHandle()) return GetHandle();
    if (!m_pOwner) return nullptr;
    HMODULE module = lumencor::ThisModule();
    const DLGTEMPLATE* pad = lumencor::FindDialogTemplate(module, L"IDD_PAD");
    if (!pad) return nullptr;
    m_pHost = host;
    HWND window = CreateDialogIndirectParamW(module, pad, parent, KaLumencorV2PadProcedure,
                                             reinterpret_cast<LPARAM>(this));
    if (!window) return nullptr;
    lumencor::CopyBounded(m_szName, kNameChars, name);
    CKaStringW key;
    DMApi::LogDev_GetKey(m_pOwner->MultiLaser().GetDeviceID(), key);
    lumencor::FormatTranslated(m_szTitle, kTitleChars, L"%s pad", key.GetString());
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(KA_GetDefaultGuiFont()), FALSE);
    CreateChildren();
    Layout();
    return window;
}

void CKaLumencorV2Pad::Destroy() {
    HWND window = GetHandle();
    if (!window || !m_bOwnsWindow) return;
    if (m_pHandler) m_pHandler->OnGUIElementEvent(this, KA_GUI_EVENT_DESTROY);
    DestroyChildren();
    DestroyWindow(window);
    OnWindowGone();
}

void CKaLumencorV2Pad::GetInfo(CKaStringW& title) const {
    title = m_szTitle;
}

INT_PTR CKaLumencorV2Pad::CustomCommand(int code, WPARAM first, LPARAM second) {
    switch (code) {
    case KA_PAD_COMMAND_IS_PAD:
        return TRUE;
    case KA_PAD_COMMAND_MOUSE_WHEEL:
        if (m_pMultilaser && m_pMultilaser->Lines().HandleMouseWheel(first, second))
            return KA_PAD_WHEEL_HANDLED;
        return 0;
    }
    return CKaGUIControlElement::CustomCommand(code, first, second);
}

void CKaLumencorV2Pad::Refresh() {
    if (HWND window = GetHandle())
        KA_PostMessageImpl(window, KA_PAD_RELAYOUT, 0, 0, __FILE__, __LINE__);
}

void CKaLumencorV2Pad::RequestRebuild() {
    if (HWND window = GetHandle())
        KA_PostMessageImpl(window, KA_PAD_AWAKE_OR_SETTINGS, 0, 0, __FILE__, __LINE__);
}

HWND CKaLumencorV2Pad::CreateButton(int id, const wchar_t* text, DWORD style) {
    HWND button = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_TABSTOP | style, 0, 0,
                                  Zoomed(kWakeUpWidth), Zoomed(kWakeUpHeight), GetHandle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  lumencor::ThisModule(), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(KA_GetDefaultGuiFont()), FALSE);
    return button;
}

void CKaLumencorV2Pad::CreateChildren() {
    HWND window = GetHandle();
    m_pMultilaser.reset(new CKaUI_Multilaser(this, m_pOwner));
    m_pMultilaser->Create(window, kPanelMargin, kPanelMargin);
    m_pTemperature.reset(new CKaUI_Temperature(this, m_pOwner));
    m_pTemperature->Create(window, kPanelMargin, kPanelMargin);
    m_pShutters.reset(new CKaUI_Shutters(this, m_pOwner));
    m_pShutters->Create(window, kPanelMargin, kPanelMargin);
    m_hConfigure = CreateButton(IDC_PAD_CONFIGURE, KA_GetTranslation(L"Configure..."),
                                WS_VISIBLE | BS_OWNERDRAW);
    SetWindowPos(m_hConfigure, nullptr, kConfigureX, kConfigureY, kConfigureWidth, kConfigureHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(m_hConfigure,
                 CKaUserManager::GetCurrentUserRights(KA_USER_RIGHT_CONFIGURE_DEVICES));
    m_hWakeUp = CreateButton(IDC_PAD_WAKE_UP, KA_GetTranslation(L"Wake up"), BS_PUSHBUTTON);
}

void CKaLumencorV2Pad::DestroyChildren() {
    m_pMultilaser.reset();
    m_pTemperature.reset();
    m_pShutters.reset();
    if (m_hConfigure) DestroyWindow(m_hConfigure);
    if (m_hWakeUp) DestroyWindow(m_hWakeUp);
    m_hConfigure = m_hWakeUp = nullptr;
}

void CKaLumencorV2Pad::Rebuild() {
    if (!m_bOwnsWindow || !GetHandle()) return;
    DestroyChildren();
    CreateChildren();
    LayoutAndResize();
}

bool CKaLumencorV2Pad::UpdateTitle() {
    CKaStringW key;
    DMApi::LogDev_GetKey(m_pOwner->MultiLaser().GetDeviceID(), key);
    wchar_t title[kTitleChars];
    lumencor::FormatTranslated(title, kTitleChars, L"%s pad", key.GetString());
    if (std::wcscmp(title, m_szTitle) == 0) return false;
    lumencor::CopyBounded(m_szTitle, kTitleChars, title);
    if (m_pHost) {
        if (auto* tabs = static_cast<CKaTabContainer*>(m_pHost->GetInterface("CKaTabContainer"))) {
            tabs->RefreshTabTitles();
            tabs->Update(false);
        }
    }
    CKaGUILayoutManager::SortControls();
    return true;
}

bool CKaLumencorV2Pad::Layout() {
    if (!m_bOwnsWindow || !GetHandle() || !m_pMultilaser || !m_pShutters || !m_pTemperature)
        return false;
    UpdateTitle();
    const double zoom = CKaGUILayoutManager::GetGuiZoom();
    const int padWidth = Zoomed(kPadWidth);
    bool changed = m_pMultilaser->Place(0, kPanelMargin, true);
    m_pMultilaser->Refresh();
    int y = m_pMultilaser->GetHeight() + kPanelMargin;

    if (m_pOwner->IsAwake()) {
        changed |= PlaceChild(m_hWakeUp, 0, y, false);
    } else {
        RECT rect;
        GetWindowRect(m_hWakeUp, &rect);
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        changed |= PlaceChild(m_hWakeUp, (padWidth - width) / 2, y, true);
        y += height;
    }

    if (m_pOwner->GetShowTemperature()) {
        changed |= m_pTemperature->Place(kPanelMargin, y, true);
        y += m_pTemperature->GetHeight();
        m_pTemperature->Refresh();
    } else {
        changed |= m_pTemperature->Place(kPanelMargin, y, false);
    }

    changed |= m_pShutters->Place(kPanelMargin, y, true);
    m_pShutters->Refresh();
    const int buttonWidth = Zoomed(kConfigureWidth), buttonHeight = Zoomed(kConfigureHeight);
    const int centred = static_cast<int>(
        std::lround((zoom * kConfigureArea - (buttonWidth + kConfigureGap)) * 0.5));
    const int besideShutter = m_pShutters->GetWidth() + kPanelMargin;
    SetWindowPos(m_hConfigure, nullptr, besideShutter > centred ? besideShutter : centred, y,
                 buttonWidth, buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);

    m_curSize.cx = m_optimalSize.cx = padWidth;
    m_curSize.cy = m_optimalSize.cy = y + buttonHeight + Zoomed(kBottomMargin);
    return changed;
}

void CKaLumencorV2Pad::LayoutAndResize() {
    HWND window = GetHandle();
    if (!window) return;
    Layout();
    {
        CKaGUIUpdateManager batch(window);
        SetWindowPos(window, nullptr, 0, 0, m_curSize.cx, m_curSize.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Update(false);
    CKaGUILayoutManager::ResizeDocker(CKaGUILayoutManager::GetParentDockerForResize(window));
}
