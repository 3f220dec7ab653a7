#include "LumencorV2GUI_Shutters.h"

#include "KaDMApi.h"
#include "LumencorV2Device.h"

#include <cmath>

namespace {
const wchar_t kClassName[] = L"KaLumencorV2GUI_Shutters";
// The button's width follows its text within these (at zoom 1.0).
const int kMinButtonWidth = 35, kMaxButtonWidth = 80;
const int kButtonX = 10, kPanelPadding = 15;
} // namespace

CKaLumencorV2Panel::WindowMap CKaLumencorV2UI_Shutters::s_windows;

void CKaLumencorV2UI_Shutters::CKaUI_Shutter::OnShutterButtonPressed(bool open) {
    m_pPanel->UserSetState(open);
}

void CKaLumencorV2UI_Shutters::CKaUI_Shutter::OnOpenConfiguration() {
    m_pPanel->UserOpenConfiguration();
}

CKaLumencorV2UI_Shutters::CKaLumencorV2UI_Shutters(CKaLumencorV2Pad* pad,
                                                   CKaLumencorV2Device* device)
    : CKaLumencorV2Panel(pad, device, kDefaultWidth, kDefaultHeight) {}

CKaLumencorV2UI_Shutters::~CKaLumencorV2UI_Shutters() {
    Destroy();
}

LRESULT CALLBACK CKaLumencorV2UI_Shutters::Procedure(HWND window, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
    return PanelProcedure(s_windows, window, message, wParam, lParam);
}

bool CKaLumencorV2UI_Shutters::Create(HWND parent, int x, int y) {
    if (!m_pDevice) return false;
    if (!CreatePanelWindow(parent, x, y, kClassName, L"CKaLumencorV2UI_Shutters", s_windows,
                           Procedure))
        return false;
    const int shutterId = m_pDevice->Shutter().GetDeviceID();
    m_shutter.SetAutomaticallyResizable(true, kMinButtonWidth, kMaxButtonWidth);
    m_shutter.Update(shutterId, true, true, true);
    m_shutter.Create(m_hWnd, kButtonX, 0, -1, -1, true, true);
    const double zoom = CKaGUILayoutManager::GetGuiZoom();
    SetSize(m_shutter.GetWidth() + kPanelPadding,
            static_cast<int>(std::lround(zoom * kDefaultHeight)));
    Refresh();
    return true;
}

void CKaLumencorV2UI_Shutters::Refresh() {
    if (!m_pDevice) return;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    m_shutter.Update(m_pDevice->Shutter().GetDeviceID(), true, true, true);
    m_shutter.SetEnabled(m_pDevice->MultiLaser().GetOperationMode() == 0);
}

void CKaLumencorV2UI_Shutters::UserSetState(bool open) {
    if (!m_pDevice) return;
    CKaLumencorV2Shutter& shutter = m_pDevice->Shutter();
    shutter.SetShutterState(open);
    CKaStringW key, macro;
    DMApi::LogDev_GetKey(shutter.GetDeviceID(), key);
    macro.Format(L"Stg_SetShutterStateEx(\"%ls\", %ls);", key.GetString(), open ? L"1" : L"0");
    CKaSimpleDMHelper::Qm_ML_Protocol_Command(macro);
    Refresh();
}

void CKaLumencorV2UI_Shutters::UserOpenConfiguration() {
    if (!m_pDevice) return;
    const int physId = DMApi::LogDev_GetPhysDevId(m_pDevice->MultiLaser().GetDeviceID());
    DMApi::PhysDev_Configure(physId, m_hWnd);
}
