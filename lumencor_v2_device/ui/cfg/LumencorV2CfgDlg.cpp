#include "LumencorV2CfgDlg.h"

#include "LumencorV2Device.h"
#include "LumencorV2PadResources.h"
#include "resource.h"

namespace lumencor {

namespace {

// The dialog being shown; set when it initialises, cleared when it goes.
CfgDlg* g_current = nullptr;

// Shows the wait cursor while it lives (the DAQ may take a while to start).
class WaitCursor {
  public:
    WaitCursor() : m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR m_previous;
};

} // namespace

CfgDlg* CfgDlg::Current() {
    return g_current;
}

bool CfgDlg::Open(HWND parent) {
    HMODULE module = ThisModule();
    const DLGTEMPLATE* dialog = FindDialogTemplate(module, L"IDD_CFG");
    if (!dialog) return false;
    const INT_PTR result =
        DialogBoxIndirectParamW(module, dialog, parent, Procedure, reinterpret_cast<LPARAM>(this));
    return result == IDOK;
}

INT_PTR CALLBACK CfgDlg::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        g_current = reinterpret_cast<CfgDlg*>(lParam);
        g_current->Initialise(window);
        return TRUE;
    case WM_COMMAND:
        if (g_current && g_current->m_window == window)
            g_current->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, IDCANCEL);
        return TRUE;
    case WM_DESTROY:
        g_current = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

void CfgDlg::OnCommand(int id, int notification) {
    switch (id) {
    case IDOK:
        if (OnOk()) EndDialog(m_window, IDOK);
        break;
    case IDCANCEL:
        EndDialog(m_window, IDCANCEL);
        break;
    case IDC_CFG_USB_ONLY:
    case IDC_CFG_USB_NIDAQ:
    case IDC_CFG_USB_VEYRA:
        if (notification == BN_CLICKED) OnConnection();
        break;
    case IDC_CFG_TTL_LINE:
    case IDC_CFG_ANALOG_LINE:
        if (notification == BN_CLICKED) OnLineKind();
        break;
    case IDC_CFG_ENABLE_TRIGGERING:
        if (notification == BN_CLICKED) OnTriggering();
        break;
    case IDC_CFG_CARD:
        if (notification == CBN_SELCHANGE) OnCardChange();
        break;
    case IDC_CFG_CONNECTOR_BLOCK:
        if (notification == CBN_SELCHANGE) OnConnectorBlockChange();
        break;
    default:
        break;
    }
}

void CfgDlg::OnConnection() {
    WaitCursor wait;
    if (NidaqChosen()) {
        CheckDlgButton(m_window, IDC_CFG_ENABLE_TRIGGERING, BST_CHECKED);
        FillDaqPart();
        EnableDaqControls(true);
        // Enabling unlocked the lines a connector block fixes: fix them again.
        if (!m_cards.empty()) ApplyConnectorBlock();
    } else {
        EnableDaqControls(false);
    }
}

void CfgDlg::OnLineKind() {
    const bool analog = AnalogChosen();
    if (analog == m_bAnalogApplied || m_cards.empty()) return;
    m_bAnalogApplied = analog;
    RefillLineCombos(true);
}

void CfgDlg::OnTriggering() {
    EnableCameraCombos(Checked(IDC_CFG_ENABLE_TRIGGERING));
    InvalidateRect(m_window, nullptr, TRUE);
}

void CfgDlg::OnCardChange() {
    if (!NidaqChosen() || m_cards.size() < 2) return;
    const int chosen = static_cast<int>(SendMessageW(Item(IDC_CFG_CARD), CB_GETCURSEL, 0, 0));
    if (chosen < 0 || chosen >= static_cast<int>(m_cards.size()) || chosen == m_iCard) return;
    m_iCard = chosen;
    RefillLineCombos(CardName() == m_device.GetCardKey().GetString());
    for (int camera = 0; camera < m_iCameras; ++camera)
        FillCameraCombo(camera, true);
    ApplyConnectorBlock();
}

void CfgDlg::OnConnectorBlockChange() {
    if (!NidaqChosen() || m_cards.empty()) return;
    ApplyConnectorBlock();
}

} // namespace lumencor
