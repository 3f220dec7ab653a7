// The light engine's modal configuration dialog ("IDD_CFG"). It reads and
// writes the owning device directly; the device saves its settings after OK.
// Everything here runs on the host's main thread.
#pragma once

#include <windows.h>

class CKaLumencorV2Device;

namespace lumencor {

class CfgDlg {
  public:
    explicit CfgDlg(CKaLumencorV2Device& device) : m_device(device) {}
    CfgDlg(const CfgDlg&) = delete;
    CfgDlg& operator=(const CfgDlg&) = delete;

    // Runs the dialog in the host's language; true only when it ended with
    // OK. False too when the template is missing.
    bool Open(HWND parent);

    // The dialog shown now (one at a time), or null.
    static CfgDlg* Current();
    HWND Window() const { return m_window; }

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Verbs of the message switch (LumencorV2CfgDlg.cpp).
    void OnCommand(int id);
    void OnOk();

    // Initialisation (LumencorV2CfgDlgInit.cpp), in this order.
    void Initialise(HWND window);
    void SetCaption();
    void SetSectionFonts();
    void SetConnection();
    void FillStandBy();
    void HideMissingLines();
    void ShowDaqPart();
    void FillLines();
    void FillName();
    void FillValues();

    HWND Item(int id) const { return GetDlgItem(m_window, id); }

    CKaLumencorV2Device& m_device;
    HWND m_window = nullptr;
    bool m_bVeyraAllowed = false;
    // False until the DAQ section has been filled once.
    bool m_bDaqReady = false;
};

} // namespace lumencor
