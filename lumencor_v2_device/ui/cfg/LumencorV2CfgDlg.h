// The light engine's modal configuration dialog ("IDD_CFG"). It reads and
// writes the owning device directly; the device saves its settings after OK.
// Everything here runs on the host's main thread.
#pragma once

#include "LumencorV2Line.h"
#include "NIDAQComboBox.h"

#include <windows.h>

#include <string>
#include <vector>

class CKaLumencorV2Device;

namespace lumencor {

// Cameras the dialog can assign a trigger terminal to.
const int kCfgMaxCameras = 2;

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
    void OnCommand(int id, int notification);
    void OnConnection();
    void OnLineKind();
    void OnTriggering();
    void OnCardChange();
    void OnConnectorBlockChange();

    // OK's checks, in order, then what it stores (LumencorV2CfgOk.cpp).
    bool OnOk();
    bool CheckName(const std::wstring& name);
    bool CheckResources();
    void ApplyResources();
    void ApplyValues();
    void Refuse(const wchar_t* caption, const std::wstring& text);

    // Initialisation (LumencorV2CfgDlgInit.cpp), in this order.
    void Initialise(HWND window);
    void SetCaption();
    void SetSectionFonts();
    void SetConnection();
    void FillStandBy();
    void ListCameras();
    void HideMissingLines();
    void ShowDaqPart();
    void FillLines();
    void FillName();
    void FillValues();

    // The DAQ part (LumencorV2CfgDaq.cpp).
    void FillDaqPart();
    void ListCards();
    void ShowCardChoice();
    std::vector<int> LineKinds() const;
    void InitLineCombo(int line);
    void RefillLineCombos(bool keepStored);
    void ShowLineResources(int line, bool keepStored);
    void FillCameraCombo(int camera, bool refill);
    void FillConnectorBlocks();
    void ApplyConnectorBlock();
    // The value of the chosen connector block ("Not Specified" when none).
    int ChosenConnectorBlock() const;
    void EnableDaqControls(bool enable);
    void EnableCameraCombos(bool enable);
    void EnableLineCombo(int line, bool enable);
    bool NidaqChosen() const;
    bool AnalogChosen() const;
    int LineCount() const;
    std::wstring CardName() const;
    std::wstring LineColour(int line) const;

    HWND Item(int id) const { return GetDlgItem(m_window, id); }
    bool Checked(int id) const { return IsDlgButtonChecked(m_window, id) == BST_CHECKED; }
    void EnableItem(int id, bool on) const { EnableWindow(Item(id), on ? TRUE : FALSE); }

    CKaLumencorV2Device& m_device;
    HWND m_window = nullptr;
    bool m_bVeyraAllowed = false;
    // False until the DAQ section has been filled once.
    bool m_bDaqReady = false;
    // The NI names of the cards and the one chosen.
    std::vector<std::wstring> m_cards;
    int m_iCard = 0;
    CKaNIDAQComboBox m_lineCombos[KA_LUMENCOR_MAX_LINES];
    // The card has no resource of the kind for the line ("resource N/A").
    bool m_bLineUnavailable[KA_LUMENCOR_MAX_LINES] = {};
    CKaNIDAQComboBox m_cameraCombos[kCfgMaxCameras];
    // Cameras listed, and each one's trigger-terminal select.
    int m_iCameras = 0;
    int m_cameraSelects[kCfgMaxCameras] = {0, 0};
    // The TTL/analog choice the line combos list now.
    bool m_bAnalogApplied = false;
};

} // namespace lumencor
