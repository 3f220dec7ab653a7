// The shutter logical device.
#include "LumencorV2Shutter.h"

#include "KaSystem.h"
#include "LumencorV2Device.h"

CKaLumencorV2Shutter::CKaLumencorV2Shutter(CKaLumencorV2Device* device)
    : m_pDevice(device), m_bOpen(false), m_bChanged(false), m_eShutterType(0), m_dDelay(0.0) {}

CKaLumencorV2Shutter::~CKaLumencorV2Shutter() = default;

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetInterfaceName(CKaStringW& name) {
    name = L"IDeviceShutter";
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterState(bool* open) {
    if (!open) return KA_DM_NOT_AVAILABLE;
    *open = m_bOpen;
    return KA_DM_OK;
}

// The new state goes to the engine with the next batch: one of its own
// when none is open.
EDeviceManagerReturnCode CKaLumencorV2Shutter::SetShutterState(bool open) {
    EnterCriticalSection(&m_pDevice->DataLock());
    m_bOpen = open;
    LeaveCriticalSection(&m_pDevice->DataLock());
    m_bChanged = true;
    if (!m_pDevice->IsBatch() && m_pDevice->BeginBatch(true) == KA_DM_OK) m_pDevice->ExecuteBatch();
    if (m_dDelay > 0) KA_Sleep(m_dDelay, 8);
    m_pDevice->PostToPad(KA_PAD_SHUTTER_STATE);
    return KA_DM_OK;
}

void CKaLumencorV2Shutter::SetDelay(double ms) {
    m_dDelay = ms;
}
