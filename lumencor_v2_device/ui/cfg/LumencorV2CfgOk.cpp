// OK: the checks in order (the first that fails says why and keeps the
// dialog open), then what the dialog stores in the device.
#include "LumencorV2CfgDlg.h"

#include "KaClass.h"
#include "KaDMApi.h"
#include "KaGUI.h"
#include "LumencorV2Device.h"
#include "resource.h"

#include <cwchar>

namespace lumencor {

namespace {

// The name edit is read up to this many characters.
const int kMaxName = 254;
const int kShortText = 32;
// KA_MessageBox_: a plain OK box that stays until answered.
const UINT kPlainBox = 0;
const int kNoTimeout = -1;

std::wstring Text(HWND window, int size) {
    std::vector<wchar_t> text(static_cast<size_t>(size) + 1, L'\0');
    GetWindowTextW(window, text.data(), size + 1);
    return text.data();
}

std::wstring Formatted(const wchar_t* format, const std::wstring& a,
                       const std::wstring& b = std::wstring()) {
    std::wstring text = format;
    for (const std::wstring* value : {&a, &b}) {
        const size_t at = text.find(L"%s");
        if (at == std::wstring::npos) break;
        text.replace(at, 2, *value);
    }
    return text;
}

} // namespace

void CfgDlg::Refuse(const wchar_t* caption, const std::wstring& text) {
    KA_MessageBox_(m_window, text.c_str(), KA_GetTranslation(caption), kPlainBox, kNoTimeout);
}

bool CfgDlg::OnOk() {
    // The mode and the delay are the device's at once, whatever follows.
    const int mode = Checked(IDC_CFG_USB_ONLY)    ? KA_CONTROL_USB
                     : Checked(IDC_CFG_USB_NIDAQ) ? KA_CONTROL_NIDAQ
                                                  : KA_CONTROL_VEYRA;
    m_device.SetControlMode(mode);
    const std::wstring name = Text(Item(IDC_CFG_NAME), kMaxName);
    if (name.empty()) {
        Refuse(L"Invalid Name", KA_GetTranslation(L"Shutter name cannot be empty."));
        return false;
    }
    const std::wstring delay = Text(Item(IDC_CFG_SHUTTER_DELAY), kShortText);
    // The shutter keeps the delay within its limits (at most 100000 ms).
    if (!delay.empty()) m_device.Shutter().SetDelay(static_cast<double>(KA_wtoi(delay.c_str())));
    if (!CheckName(name)) return false;

    if (mode == KA_CONTROL_NIDAQ) {
        if (!CheckResources()) return false;
        ApplyResources();
    } else {
        m_device.DetachLineResources(false);
        m_device.SetTriggeringEnabled(false);
    }
    ApplyValues();
    return true;
}

// The name is shared by the shutter and the multi-line light source; no
// other device of either kind may have it.
bool CfgDlg::CheckName(const std::wstring& name) {
    CKaLumencorV2Shutter& shutter = m_device.Shutter();
    CKaLumencorV2MultiLaser& source = m_device.MultiLaser();
    const int shutterId = DMApi::Shutter_GetIdByKey(name.c_str());
    if (shutterId != 0 && shutterId != shutter.GetDeviceID()) {
        Refuse(L"Invalid Name", KA_GetTranslation(L"Shutter name is already used."));
        return false;
    }
    const int sourceId = DMApi::MultiLaser_GetIdByKey(name.c_str());
    if (sourceId != 0 && sourceId != source.GetDeviceID()) {
        Refuse(L"Invalid Name", KA_GetTranslation(L"Multilaser name is already used."));
        return false;
    }
    if (shutter.GetDeviceID() > 0 || source.GetDeviceID() > 0) {
        if (shutter.GetDeviceID() > 0) DMApi::LogDev_SetKey(shutter.GetDeviceID(), name.c_str());
        if (source.GetDeviceID() > 0) DMApi::LogDev_SetKey(source.GetDeviceID(), name.c_str());
    } else {
        m_device.SetPendingName(name.c_str());
    }
    return true;
}

// Every line has a resource, a triggered digital line can play waveforms,
// and no two lines share one.
bool CfgDlg::CheckResources() {
    if (m_cards.empty()) {
        Refuse(L"Invalid Resources", KA_GetTranslation(L"Invalid Resources for NIDAQ"));
        return false;
    }
    const int count = LineCount();
    for (int i = 0; i < count; ++i) {
        if (m_lineCombos[i].GetSelectedResource()) continue;
        Refuse(L"Invalid Resource",
               Formatted(KA_GetTranslation(L"Invalid Resource for Line %s"), LineColour(i)));
        return false;
    }
    const bool triggered = Checked(IDC_CFG_ENABLE_TRIGGERING) && !AnalogChosen();
    for (int i = 0; i < count; ++i) {
        CNIDAQResource* resource = m_lineCombos[i].GetSelectedResource();
        auto* dio = dynamic_cast<CNIDAQResource_DIOLine*>(resource);
        if (triggered && dio && !dio->GetBoolWaveformEnable()) {
            Refuse(L"Invalid Resource",
                   Formatted(KA_GetTranslation(
                                 L"Resource %s for line %s is not applicable to triggering."),
                             resource->GetNIKey(), LineColour(i)));
            return false;
        }
        for (int j = i + 1; j < count; ++j) {
            if (m_lineCombos[j].GetSelectedResource() != resource) continue;
            Refuse(L"Invalid Resource",
                   Formatted(KA_GetTranslation(L"Resource for Line %s is already used for line %s"),
                             LineColour(j), LineColour(i)));
            return false;
        }
    }
    return true;
}

void CfgDlg::ApplyResources() {
    m_device.SetCardKey(CardName().c_str());
    m_device.SetConnectorBlock(ChosenConnectorBlock());
    const bool analog = AnalogChosen();
    CNIDAQAbstraction_AOTF* lines = m_device.GetTriggeringAbstraction();
    if (lines) {
        lines->SetTTLControlAsAnalog(analog);
        m_device.DetachLineResources(false);
        for (int i = 0; i < LineCount(); ++i) {
            CNIDAQAbstraction_AOTFLine* line = lines->GetLine(i);
            CNIDAQResource* resource = m_lineCombos[i].GetSelectedResource();
            if (!line) continue;
            if (analog)
                line->SetResource_AOPort1(dynamic_cast<CNIDAQResource_AOPort*>(resource));
            else
                line->SetResource_DIOLine(dynamic_cast<CNIDAQResource_DIOLine*>(resource));
        }
    }
    const bool triggering = Checked(IDC_CFG_ENABLE_TRIGGERING);
    m_device.SetTriggeringEnabled(triggering);
    CNIDAQAbstraction_Multiexcitation* multi = m_device.GetMultiexcitation();
    if (!triggering || !multi) return;
    for (int camera = 0; camera < m_iCameras; ++camera) {
        auto* terminal =
            dynamic_cast<CNIDAQResource_PFITerminal*>(m_cameraCombos[camera].GetSelectedResource());
        if (terminal) multi->SetResource_PFITerminal(terminal, m_cameraSelects[camera]);
    }
}

void CfgDlg::ApplyValues() {
    CKaLumencorV2MultiLaser& lines = m_device.MultiLaser();
    for (int i = 0; i < LineCount(); ++i) {
        const int wavelength =
            KA_wtoi(Text(Item(IDC_CFG_WAVELENGTH_FIRST + i), kShortText).c_str());
        // Text that is no wavelength keeps the one the line has.
        if (wavelength > 0) lines.SetLineWavelength(i, static_cast<unsigned>(wavelength));
    }
    m_device.SetShowTemperature(Checked(IDC_CFG_SHOW_TEMPERATURE));
    m_device.SetShowSubset(Checked(IDC_CFG_SHOW_SUBSET));
    if (m_device.SupportsStandBy()) {
        const LRESULT selected = SendMessageW(Item(IDC_CFG_STANDBY), CB_GETCURSEL, 0, 0);
        if (selected >= 0) m_device.SetStandByMode(static_cast<int32_t>(selected));
    }
}

} // namespace lumencor
