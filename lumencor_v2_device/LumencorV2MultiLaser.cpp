// The multi-line light source: its names, capabilities and device commands,
// and the line records that C_Connect fills.
#include "LumencorV2MultiLaser.h"

#include "KaSystem.h"
#include "LumencorV2Device.h"

#include <cwchar>

CKaLumencorV2MultiLaser::CKaLumencorV2MultiLaser(CKaLumencorV2Device* device)
    : m_pSequenceOwner(nullptr), m_pDevice(device), m_iNumLines(KA_LUMENCOR_MAX_LINES),
      m_sDisplayName(KA_GetTranslation(L"SpectraIII")), m_eOperationMode(0), m_iMaxInt(0) {}

CKaLumencorV2MultiLaser::~CKaLumencorV2MultiLaser() = default;

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetInterfaceName(CKaStringW& name) {
    name = L"IDeviceMultiLaser";
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetDeviceFullName(CKaStringW& name) {
    return GetLogDevString(1, name);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetDeviceDisplayName(CKaStringW& name) {
    name = m_sDisplayName;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetDeviceShortName(CKaStringW& name) {
    return GetLogDevString(2, name);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLogDevString(int index, CKaStringW& text) {
    LumencorV2LogDevString(index, m_pDevice->GetModelType(), L"Multilaser", L"MultiLaser", text);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetUserName(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetUserName(const wchar_t*) {
    return KA_DM_OK;
}

bool CKaLumencorV2MultiLaser::SupportsSettings() {
    return true;
}

// Codes 48 to 86 describe triggered sequences, 225 whether the lines can
// follow the camera.
bool CKaLumencorV2MultiLaser::GetCapability(int code) {
    const int32_t control = m_pDevice->GetControlMode();
    const bool triggering = m_pDevice->GetTriggeringEnabled();
    switch (code) {
    case 16:
        return control == KA_CONTROL_NIDAQ || control == KA_CONTROL_VEYRA;
    case 17:
        return control == KA_CONTROL_USB;
    case 48:
    case 80:
        return triggering;
    case 49:
    case 82:
        return false;
    case 50:
    case 51:
    case 52:
    case 53:
    case 54:
    case 55:
    case 56:
    case 81:
    case 84:
    case 85:
    case 86:
        return true;
    case 225:
        // Without triggering the lines follow the camera only through a
        // triggering abstraction, which comes with NI-DAQ triggering.
        return triggering;
    default:
        return CKaDeviceMultiLaser_Default::GetCapability(code);
    }
}

bool CKaLumencorV2MultiLaser::SupportsDeviceCommand() {
    return true;
}

int CKaLumencorV2MultiLaser::GetTypeCode() {
    return 16;
}

// `out` of 0xC00F holds KA_CARD_KEY_CHARS wide characters.
EDeviceManagerReturnCode CKaLumencorV2MultiLaser::DeviceCommand(int code, int64_t value,
                                                                void* out) {
    if (!out) return KA_DM_OK;
    switch (code) {
    case 0xC00F: {
        auto* key = static_cast<wchar_t*>(out);
        std::wcsncpy(key, m_pDevice->GetCardKey().GetString(), KA_CARD_KEY_CHARS - 1);
        key[KA_CARD_KEY_CHARS - 1] = 0;
        break;
    }
    case 0x13007:
        m_pDevice->SetPadEnabled(value != 0);
        break;
    case 0xC018:
        *static_cast<int32_t*>(out) = m_pDevice->GetStandByMode();
        break;
    case 0xC019:
        m_pDevice->SetStandByMode(static_cast<int32_t>(value));
        break;
    case 0xC01A:
        m_pDevice->RunOnWorker<&CKaLumencorV2Device::C_WakeUp>();
        break;
    case 0xC01B:
        *static_cast<bool*>(out) =
            value < 0 || value >= m_iNumLines || m_lines[static_cast<int>(value)].m_bSubset;
        break;
    case 0xC01C:
        m_pSequenceOwner = out;
        break;
    case 0x13003:
        *static_cast<void**>(out) = m_pDevice->GetTriggeringAbstraction();
        break;
    case 0x13004:
        *static_cast<int32_t*>(out) = 0;
        break;
    default:
        return KA_DM_NOT_SUPPORTED;
    }
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetStatus(int* status) {
    if (status) *status = 0;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineCount(int* count) {
    if (!m_pDevice || !count) return KA_DM_NOT_AVAILABLE;
    *count = m_iNumLines;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineName(int line, CKaStringW& name) {
    if (!m_pDevice || line < 0 || line >= m_iNumLines) return KA_DM_NOT_AVAILABLE;
    name.Format(L"%d nm", static_cast<int>(m_lines[line].m_uWavelength));
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineDescription(int, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineWavelength(int line,
                                                                    unsigned* wavelength) {
    if (line < 0 || line >= KA_LUMENCOR_MAX_LINES) return KA_DM_OUT_OF_RANGE;
    if (!wavelength) return KA_DM_NOT_AVAILABLE;
    *wavelength = m_lines[line].m_uWavelength;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLineWavelength(int line, unsigned wavelength) {
    if (line < 0 || line >= m_iNumLines) return KA_DM_OUT_OF_RANGE;
    m_lines[line].m_uWavelength = wavelength;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineBandwidth(int, unsigned*) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetShutterControl(bool* controlled) {
    if (controlled) *controlled = false;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetOperationMode(int* mode) {
    if (mode) *mode = m_eOperationMode;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetSequenceStatus() {
    return KA_DM_OK;
}

bool CKaLumencorV2MultiLaser::SupportsAllLines() {
    return true;
}
