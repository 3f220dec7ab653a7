// What the dialog shows when it opens, read from the device.
#include "LumencorV2CfgDlg.h"
#include "LumencorV2CfgLayout.h"

#include "KaClass.h"
#include "KaDMApi.h"
#include "KaGUI.h"
#include "LumencorV2Answers.h"
#include "LumencorV2Device.h"
#include "resource.h"

#include <cmath>
#include <cwchar>

namespace lumencor {

namespace {

// `Qm_CAM_GetCapability`: the camera takes an external trigger signal.
const int kCameraTriggerable = 1;
// A grabber driver whose cameras the light engine cannot trigger.
const wchar_t kUntriggerableGrabber[] = L"CKaGrabberDriverA1New";
// Gap between camera rows, in pixels at 100 % zoom.
const double kCameraRowGap = 5.0;
// Numbers tried after a taken default name ("Name1", "Name2", ...).
const int kMaxNameNumber = 99;

void SetText(HWND window, const wchar_t* text) {
    SetWindowTextW(window, text);
}

void Translate(HWND window, const wchar_t* text) {
    SetText(window, KA_GetTranslation(text));
}

} // namespace

void CfgDlg::Initialise(HWND window) {
    m_window = window;
    SetCaption();
    SetSectionFonts();
    SetConnection();
    FillStandBy();
    ListCameras();
    HideMissingLines();
    CheckDlgButton(m_window, IDC_CFG_ENABLE_TRIGGERING,
                   m_device.GetTriggeringEnabled() ? BST_CHECKED : BST_UNCHECKED);
    ShowDaqPart();
    FillLines();
    FillName();
    FillValues();
}

void CfgDlg::SetCaption() {
    const int32_t model = m_device.GetModelType();
    if (model == KA_MODEL_CELESTA) Translate(m_window, L"Celesta Configuration");
    if (model == KA_MODEL_ZIVA) {
        Translate(m_window, L"Ziva Configuration");
        CKaVariant allow;
        m_bVeyraAllowed =
            CKaSimpleDMHelper::Qm_GetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", &allow) &&
            allow.GetBool();
    }
}

// Bold titles are wider than the template allows in most languages: each
// title takes its text's width and its separator starts after it.
void CfgDlg::SetSectionFonts() {
    const struct {
        int title, separator;
    } sections[] = {{IDC_CFG_SECTION_WAVELENGTHS, IDC_CFG_SEPARATOR2},
                    {IDC_CFG_SECTION_MULTILASER, IDC_CFG_SEPARATOR4},
                    {IDC_CFG_SECTION_GUI, IDC_CFG_SEPARATOR5},
                    {IDC_CFG_SECTION_CONNECTION, IDC_CFG_SEPARATOR1},
                    {IDC_CFG_SECTION_TRIGGERING, IDC_CFG_SEPARATOR3},
                    {IDC_CFG_SECTION_SYSTEM, IDC_CFG_SEPARATOR6}};
    HFONT bold = KA_GetDefaultGuiFontBold();
    for (const auto& section : sections) {
        HWND title = Item(section.title);
        SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
        FitTitle(title, Item(section.separator), bold);
    }
}

void CfgDlg::SetConnection() {
    const int32_t mode = m_device.GetControlMode();
    if (mode == KA_CONTROL_USB) CheckDlgButton(m_window, IDC_CFG_USB_ONLY, BST_CHECKED);
    if (mode == KA_CONTROL_NIDAQ) CheckDlgButton(m_window, IDC_CFG_USB_NIDAQ, BST_CHECKED);
    if (m_bVeyraAllowed) Translate(Item(IDC_CFG_USB_NIDAQ), L"USB + Veyra NIDAQ TTL");
    if (mode == KA_CONTROL_VEYRA) {
        CheckDlgButton(m_window, m_bVeyraAllowed ? IDC_CFG_USB_VEYRA : IDC_CFG_USB_ONLY,
                       BST_CHECKED);
    }
    if (!m_bVeyraAllowed) HideAndClose(m_window, Item(IDC_CFG_USB_VEYRA));
}

void CfgDlg::FillStandBy() {
    if (!m_device.SupportsStandBy()) return;
    HWND combo = Item(IDC_CFG_STANDBY);
    const wchar_t* modes[] = {L"Disabled", L"Enabled Outside Experiment", L"Enabled"};
    for (const wchar_t* mode : modes)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(KA_GetTranslation(mode)));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(m_device.GetStandByMode()), 0);
}

// Cameras that an external signal can trigger, at most two; the rows of
// the others go and everything below moves up.
void CfgDlg::ListCameras() {
    m_iCameras = 0;
    const int count = CKaSimpleDMHelper::Qm_CAM_GetCount();
    for (int i = 0; i < count && m_iCameras < kCfgMaxCameras; ++i) {
        CKaStringW className, name;
        if (!CKaSimpleDMHelper::Qm_CAM_GetCapability(i, kCameraTriggerable)) continue;
        if (CKaSimpleDMHelper::Qm_CAM_GetClassName(i, className) &&
            className == kUntriggerableGrabber)
            continue;
        CKaSimpleDMHelper::Qm_CAM_GetDMName(i, name);
        SetText(Item(IDC_CFG_CAMERA_LABEL1 + m_iCameras), name);
        m_cameraSelects[m_iCameras] = i != 0 ? 1 : 0;
        ++m_iCameras;
    }
    if (m_iCameras >= kCfgMaxCameras) return;
    const RECT label = ChildRect(Item(IDC_CFG_CAMERA_LABEL1 + m_iCameras));
    const RECT combo = ChildRect(Item(IDC_CFG_CAMERA_TRIGGER1 + m_iCameras));
    for (int row = m_iCameras; row < kCfgMaxCameras; ++row) {
        ShowWindow(Item(IDC_CFG_CAMERA_LABEL1 + row), SW_HIDE);
        ShowWindow(Item(IDC_CFG_CAMERA_TRIGGER1 + row), SW_HIDE);
    }
    // The combo's height as the dialog shows it closed, and the row gap.
    const int pitch =
        static_cast<int>(combo.bottom - combo.top) +
        static_cast<int>(std::lround(CKaGUILayoutManager::GetGuiZoom() * kCameraRowGap));
    MoveUpFrom(m_window, label.top < combo.top ? label.top : combo.top,
               (kCfgMaxCameras - m_iCameras) * pitch);
}

void CfgDlg::HideMissingLines() {
    const int count = m_device.MultiLaser().GetLineCountValue();
    if (count >= KA_LUMENCOR_MAX_LINES) return;
    const int pitch = ChildRect(Item(IDC_CFG_WAVELENGTH_FIRST + 1)).top -
                      ChildRect(Item(IDC_CFG_WAVELENGTH_FIRST)).top;
    for (int i = count < 0 ? 0 : count; i < KA_LUMENCOR_MAX_LINES; ++i) {
        ShowWindow(Item(IDC_CFG_COLOUR_FIRST + i), SW_HIDE);
        ShowWindow(Item(IDC_CFG_WAVELENGTH_FIRST + i), SW_HIDE);
        ShowWindow(Item(IDC_CFG_RESOURCE_FIRST + i), SW_HIDE);
    }
    const int hidden = KA_LUMENCOR_MAX_LINES - (count < 0 ? 0 : count);
    MoveUpFrom(m_window, ChildRect(Item(IDC_CFG_SECTION_TRIGGERING)).top, hidden * pitch);
}

void CfgDlg::ShowDaqPart() {
    if (m_device.GetControlMode() == KA_CONTROL_NIDAQ) {
        FillDaqPart();
        return;
    }
    if (!m_bDaqReady) ShowWindow(Item(IDC_CFG_CARD_ALTERNATIVE), SW_HIDE);
    const int off[] = {IDC_CFG_CARD,
                       IDC_CFG_CARD_ALTERNATIVE,
                       IDC_CFG_CONNECTOR_BLOCK,
                       IDC_CFG_ENABLE_TRIGGERING,
                       IDC_CFG_CAMERA_TRIGGER1,
                       IDC_CFG_CAMERA_TRIGGER2,
                       IDC_CFG_TTL_LINE,
                       IDC_CFG_ANALOG_LINE};
    for (int id : off)
        EnableItem(id, false);
    CheckDlgButton(m_window, IDC_CFG_TTL_LINE, BST_CHECKED);
}

void CfgDlg::FillLines() {
    CKaLumencorV2MultiLaser& lines = m_device.MultiLaser();
    const int count = lines.GetLineCountValue();
    for (int i = 0; i < count && i < KA_LUMENCOR_MAX_LINES; ++i) {
        const SKaLumencorV2Line line = lines.GetLineRecord(i);
        CKaStringW colour(line.m_sColour);
        SetText(Item(IDC_CFG_COLOUR_FIRST + i), colour);
        HWND combo = Item(IDC_CFG_WAVELENGTH_FIRST + i);
        wchar_t text[16];
        for (uint32_t nm : ColourWavelengths(line.m_sColour)) {
            swprintf(text, 16, L"%u", nm);
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        swprintf(text, 16, L"%u", line.m_uWavelength);
        SetText(combo, text);
        if (!m_bDaqReady) EnableItem(IDC_CFG_RESOURCE_FIRST + i, false);
    }
}

// A registered shutter shows its key; otherwise the name chosen before or
// the default one, made free of other shutters' names by a number.
void CfgDlg::FillName() {
    CKaLumencorV2Shutter& shutter = m_device.Shutter();
    CKaStringW name;
    const int id = shutter.GetDeviceID();
    if (id > 0 && DMApi::LogDev_GetKey(id, name)) {
        SetText(Item(IDC_CFG_NAME), name);
        return;
    }
    if (!m_device.GetPendingName().IsEmpty()) {
        SetText(Item(IDC_CFG_NAME), m_device.GetPendingName());
        return;
    }
    shutter.GetDeviceFullName(name);
    if (DMApi::Shutter_GetIdByKey(name) != 0) {
        for (int number = 1; number <= kMaxNameNumber; ++number) {
            CKaStringW candidate;
            candidate.Format(L"%ls%d", name.GetString(), number);
            if (DMApi::Shutter_GetIdByKey(candidate) == 0) {
                name = candidate;
                break;
            }
        }
    }
    SetText(Item(IDC_CFG_NAME), name);
}

void CfgDlg::FillValues() {
    wchar_t text[32];
    swprintf(text, 32, L"%d", static_cast<int>(m_device.Shutter().GetDelay() + 0.5));
    SetText(Item(IDC_CFG_SHUTTER_DELAY), text);
    CheckDlgButton(m_window, IDC_CFG_SHOW_TEMPERATURE,
                   m_device.GetShowTemperature() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_window, IDC_CFG_SHOW_SUBSET,
                   m_device.GetShowSubset() ? BST_CHECKED : BST_UNCHECKED);
    SetText(Item(IDC_CFG_MODEL), m_device.GetModel());
    SetText(Item(IDC_CFG_SERIAL), m_device.GetSerialNumber());
    SetText(Item(IDC_CFG_VERSION), m_device.GetFirmwareVersion());
}

} // namespace lumencor
