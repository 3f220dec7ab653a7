// The shutter's names, its single shutter index, its settings and its
// configuration through the host.
#include "LumencorV2Shutter.h"

#include "KaDMApi.h"
#include "KaHostCodes.h"
#include "KaSettings.h"
#include "LumencorV2Device.h"
#include "LumencorV2Names.h"

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetInterfaceName(CKaStringW& name) {
    name = L"IDeviceShutter";
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetDeviceFullName(CKaStringW& name) {
    return GetLogDevString(1, name);
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetDeviceDisplayName(CKaStringW& name) {
    return GetDeviceShortName(name);
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetDeviceShortName(CKaStringW& name) {
    return GetLogDevString(2, name);
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetLogDevString(int index, CKaStringW& text) {
    LumencorV2LogDevString(index, m_pDevice->GetModelType(), L"Shutter", L"Shutter", text);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetUserName(CKaStringW& name) {
    return GetShutterName(name);
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::SetUserName(const wchar_t* name) {
    return SetShutterName(name);
}

bool CKaLumencorV2Shutter::SupportsSettings() {
    return true;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetSettings(CKaStringW& settings) {
    SetIntToKey(settings, L"m_eShutterType", m_eShutterType);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::SetSettings(const wchar_t* settings) {
    SetStatusString(settings);
    int type = 0;
    if (settings && GetIntFromKey(settings, L"m_eShutterType", type)) m_eShutterType = type;
    return KA_DM_OK;
}

bool CKaLumencorV2Shutter::GetCapability(int code) {
    if (code == KA_CAP_SHUTTER_TRIGGERED) return m_pDevice->GetTriggeringEnabled();
    return CKaDeviceShutter_Default::GetCapability(code);
}

bool CKaLumencorV2Shutter::IsConfigurationDialogAvailable() {
    return true;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::ShowConfigurationDialog(HWND parent) {
    const int result = DMApi::PhysDev_Configure(m_pDevice->GetPhysDevID(), parent);
    DMApi::Refresh();
    return result == KA_DM_OK ? KA_DM_OK : KA_DM_NOT_AVAILABLE;
}

bool CKaLumencorV2Shutter::SupportsDeviceCommand() {
    return true;
}

int CKaLumencorV2Shutter::GetTypeCode() {
    return KA_TYPE_CODE_LIGHT_SOURCE;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::DeviceCommand(int, int64_t, void*) {
    return KA_DM_NOT_SUPPORTED;
}

bool CKaLumencorV2Shutter::GetActiveChangeable() {
    return false;
}

bool CKaLumencorV2Shutter::HasShutterIndexes() {
    return false;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterStateEx(int, bool*) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::SetShutterStateEx(int, bool) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterSpeed(int, double*) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::SetShutterSpeed(int, double) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterName(CKaStringW& name) {
    name = m_sName;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::SetShutterName(const wchar_t* name) {
    m_sName = name ? name : L"";
    return KA_DM_OK;
}

bool CKaLumencorV2Shutter::IsValidShutterIndex(int index) {
    return index == 0;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterIndexCount(int* count) {
    if (count) *count = 0;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::CheckShutterIndex(int index) {
    return index == 0 ? KA_DM_OK : KA_DM_OUT_OF_RANGE;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterPosition(int, int*) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::SetShutterPosition(int, int) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterPositionCount(int, int*) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterPositionName(int, int, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}

bool CKaLumencorV2Shutter::SupportsShutterType() {
    return true;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterType(int* type) {
    if (type) *type = m_eShutterType;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::SetShutterType(int type) {
    m_eShutterType = type;
    return KA_DM_OK;
}

// Ids of 0 belong to no device.
bool CKaLumencorV2Shutter::IsControlledBy(const int* logDevIds, int count) {
    if (!logDevIds) return false;
    const int own = GetDeviceID();
    const int lightSource = m_pDevice->MultiLaser().GetDeviceID();
    for (int i = 0; i < count; ++i) {
        const int id = logDevIds[i];
        if (id != 0 && (id == own || id == lightSource)) return true;
    }
    return false;
}
