// The multi-line light source: its names, capabilities and device commands,
// and the line records that C_Connect fills.
#include "LumencorV2MultiLaser.h"

#include "KaHostCodes.h"
#include "KaSystem.h"
#include "LumencorV2Device.h"
#include "LumencorV2Names.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

CKaLumencorV2MultiLaser::CKaLumencorV2MultiLaser(CKaLumencorV2Device* device)
    : m_pDevice(device), m_sDisplayName(KA_GetTranslation(L"SpectraIII")) {
    for (int select = 0; select < kPFISelectCount; ++select)
        m_alternationFirst[select] = m_alternationThird[select] = std::nan("");
}

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

bool CKaLumencorV2MultiLaser::GetCapability(int code) {
    const int32_t control = m_pDevice->GetControlMode();
    const bool triggering = m_pDevice->GetTriggeringEnabled();
    if (code >= KA_CAP_SEQUENCE_50 && code <= KA_CAP_SEQUENCE_56) return true;
    switch (code) {
    case KA_CAP_TTL_CONTROL:
        return control == KA_CONTROL_NIDAQ || control == KA_CONTROL_VEYRA;
    case KA_CAP_USB_CONTROL:
        return control == KA_CONTROL_USB;
    case KA_CAP_SEQUENCE_TRIGGERED:
    case KA_CAP_SEQUENCE_TRIGGERED_80:
        return triggering;
    case KA_CAP_SEQUENCE_49:
    case KA_CAP_SEQUENCE_82:
        return false;
    case KA_CAP_SEQUENCE_81:
    case KA_CAP_SEQUENCE_84:
    case KA_CAP_SEQUENCE_85:
    case KA_CAP_SEQUENCE_86:
        return true;
    case KA_CAP_HARDWARE_SEQUENCING:
        return triggering || CanPlayWaveforms();
    default:
        return CKaDeviceMultiLaser_Default::GetCapability(code);
    }
}

bool CKaLumencorV2MultiLaser::SupportsDeviceCommand() {
    return true;
}

int CKaLumencorV2MultiLaser::GetTypeCode() {
    return KA_TYPE_CODE_LIGHT_SOURCE;
}

// `out` of 0xC00F holds KA_CARD_KEY_CHARS wide characters.
EDeviceManagerReturnCode CKaLumencorV2MultiLaser::DeviceCommand(int code, int64_t value,
                                                                void* out) {
    if (!out) return KA_DM_OK;
    switch (code) {
    case KA_CMD_GET_CARD_KEY: {
        auto* key = static_cast<wchar_t*>(out);
        std::wcsncpy(key, m_pDevice->GetCardKey().GetString(), KA_CARD_KEY_CHARS - 1);
        key[KA_CARD_KEY_CHARS - 1] = 0;
        break;
    }
    case KA_CMD_SET_PAD_ENABLED:
        m_pDevice->SetPadEnabled(value != 0);
        break;
    case KA_CMD_GET_STANDBY_MODE:
        *static_cast<int32_t*>(out) = m_pDevice->GetStandByMode();
        break;
    case KA_CMD_SET_STANDBY_MODE:
        m_pDevice->SetStandByMode(static_cast<int32_t>(value));
        break;
    case KA_CMD_WAKE_UP:
        m_pDevice->RunOnWorker<&CKaLumencorV2Device::C_WakeUp>(*m_pDevice);
        break;
    case KA_CMD_GET_LINE_IN_SUBSET: {
        const bool outside = value < 0 || value >= m_iNumLines;
        *static_cast<bool*>(out) = outside || GetLineRecord(static_cast<int>(value)).m_bSubset;
        break;
    }
    case KA_CMD_SET_SEQUENCE_OWNER:
        m_pSequenceOwner = out;
        break;
    case KA_CMD_GET_TRIGGERING:
        *static_cast<void**>(out) = static_cast<void*>(m_pDevice->GetTriggeringAbstraction());
        break;
    case KA_CMD_GET_SEQUENCE_STATE:
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
    if (!m_pDevice || !IsLine(line)) return KA_DM_NOT_AVAILABLE;
    name.Format(L"%d nm", static_cast<int>(GetLineRecord(line).m_uWavelength));
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineDescription(int, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineWavelength(int line,
                                                                    unsigned* wavelength) {
    if (line < 0 || line >= KA_LUMENCOR_MAX_LINES) return KA_DM_OUT_OF_RANGE;
    if (!wavelength) return KA_DM_NOT_AVAILABLE;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    *wavelength = m_lines[line].m_uWavelength;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLineWavelength(int line, unsigned wavelength) {
    if (!IsLine(line)) return KA_DM_OUT_OF_RANGE;
    CKaScopedLock dataLock(m_pDevice->DataLock());
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

SKaLumencorV2Line& CKaLumencorV2MultiLaser::Line(int line) {
    KA_ASSERT_HELD(m_pDevice->DataLock());
    return m_lines[line];
}

SKaLumencorV2Line CKaLumencorV2MultiLaser::GetLineRecord(int line) {
    if (line < 0 || line >= KA_LUMENCOR_MAX_LINES) return SKaLumencorV2Line();
    CKaScopedLock dataLock(m_pDevice->DataLock());
    return m_lines[line];
}

void CKaLumencorV2MultiLaser::SetChannelMap(const SKaLumencorV2Channel* channels, int count) {
    CKaScopedLock dataLock(m_pDevice->DataLock());
    for (SKaLumencorV2Line& line : m_lines)
        line.m_iChannel = -1;
    for (int k = 0; k < count && k < KA_LUMENCOR_MAX_LINES; ++k) {
        m_lines[k].m_iChannel = k;
        m_lines[k].m_sColour = channels[k].colour;
        m_lines[k].m_uWavelength = channels[k].wavelength;
    }
    m_iNumLines = count;
    // Only the mapped lines are ordered; unmapped records stay behind them.
    std::stable_sort(m_lines, m_lines + count,
                     [](const SKaLumencorV2Line& a, const SKaLumencorV2Line& b) {
                         return a.m_uWavelength < b.m_uWavelength;
                     });
}

SKaLumencorV2ChannelState CKaLumencorV2MultiLaser::ChannelState() {
    SKaLumencorV2ChannelState state;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    const int count = std::min<int>(m_iNumLines, KA_LUMENCOR_MAX_LINES);
    state.count = count;
    const bool open = m_pDevice->Shutter().IsOpen();
    state.switchesChanged = m_pDevice->Shutter().IsMarked();
    for (int i = 0; i < count; ++i) {
        const SKaLumencorV2Line& line = m_lines[i];
        state.switchesChanged = state.switchesChanged || line.m_bUsedChanged;
        state.powersChanged = state.powersChanged || line.m_bPowerChanged;
        const int channel = line.m_iChannel;
        if (channel < 0 || channel >= count) continue;
        state.lit[channel] = line.m_bUsed && open;
        state.intensity[channel] = Intensity(line.m_dPower);
        state.anyLit = state.anyLit || state.lit[channel];
    }
    return state;
}
