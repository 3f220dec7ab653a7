#include "LumencorV2CfgDlg.h"

#include "LumencorV2Device.h"
#include "LumencorV2PadResources.h"
#include "resource.h"

#include <cwchar>

namespace lumencor {

namespace {

// The dialog being shown; set when it initialises, cleared when it goes.
CfgDlg* g_current = nullptr;

int ReadInt(HWND edit) {
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    return static_cast<int>(std::wcstol(text, nullptr, 10));
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

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
        if (g_current) g_current->OnCommand(LOWORD(wParam));
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

void CfgDlg::OnCommand(int id) {
    switch (id) {
    case IDOK:
        OnOk();
        break;
    case IDCANCEL:
        EndDialog(m_window, IDCANCEL);
        break;
    default:
        break;
    }
}

void CfgDlg::OnOk() {
    // The mode is the device's at once, whatever follows.
    const int mode = Checked(m_window, IDC_CFG_USB_ONLY)    ? KA_CONTROL_USB
                     : Checked(m_window, IDC_CFG_USB_NIDAQ) ? KA_CONTROL_NIDAQ
                                                            : KA_CONTROL_VEYRA;
    m_device.SetControlMode(mode);

    wchar_t delay[32] = {};
    GetWindowTextW(Item(IDC_CFG_SHUTTER_DELAY), delay, 32);
    if (delay[0]) {
        // The shutter keeps the delay within its limits (at most 100000 ms).
        m_device.Shutter().SetDelay(static_cast<double>(std::wcstol(delay, nullptr, 10)));
    }

    if (mode != KA_CONTROL_NIDAQ) m_device.SetTriggeringEnabled(false);

    CKaLumencorV2MultiLaser& lines = m_device.MultiLaser();
    const int count = lines.GetLineCountValue();
    for (int i = 0; i < count && i < KA_LUMENCOR_MAX_LINES; ++i) {
        const int wavelength = ReadInt(Item(IDC_CFG_WAVELENGTH_FIRST + i));
        if (wavelength > 0) lines.SetLineWavelength(i, static_cast<unsigned>(wavelength));
    }
    m_device.SetShowTemperature(Checked(m_window, IDC_CFG_SHOW_TEMPERATURE));
    m_device.SetShowSubset(Checked(m_window, IDC_CFG_SHOW_SUBSET));
    if (m_device.SupportsStandBy()) {
        const LRESULT selected = SendMessageW(Item(IDC_CFG_STANDBY), CB_GETCURSEL, 0, 0);
        if (selected >= 0) m_device.SetStandByMode(static_cast<int32_t>(selected));
    }
    EndDialog(m_window, IDOK);
}

} // namespace lumencor
