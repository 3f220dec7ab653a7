// Opening and closing the shutter: the state reaches the engine through a
// batch of the physical device, then the host and the pad are told.
#include "LumencorV2Shutter.h"

#include "KaSystem.h"
#include "LumencorV2Device.h"
#include "ScopedLock.h"

CKaLumencorV2Shutter::CKaLumencorV2Shutter(CKaLumencorV2Device* device)
    : m_pDevice(device), m_bOpen(false), m_bChanged(false), m_eShutterType(0), m_dDelay(0.0) {}

CKaLumencorV2Shutter::~CKaLumencorV2Shutter() = default;

// The engine switches in well under the 50 ms this adds to the delay.
EDeviceManagerReturnCode CKaLumencorV2Shutter::GetSwitchTime(double* ms) {
    if (ms) *ms = m_dDelay + 50.0;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterState(bool* open) {
    if (!open) return KA_DM_NOT_AVAILABLE;
    *open = m_bOpen;
    return KA_DM_OK;
}

// Inside an open batch the state is only marked; otherwise it goes out in
// a batch of its own. An unconfigured device refuses the batch and sends
// nothing, but the state is still kept and reported.
EDeviceManagerReturnCode CKaLumencorV2Shutter::SetShutterState(bool open) {
    CKaScopedLock dataLock(m_pDevice->DataLock());
    m_bOpen = open;
    const bool batch = m_pDevice->IsBatch();
    m_bChanged = true;
    dataLock.Unlock();
    if (!batch) {
        m_pDevice->BeginBatch(true);
        m_pDevice->ExecuteBatch();
    }
    if (m_dDelay > 0) KA_Sleep(m_dDelay, 8);

    NotifyState(open);
    CKaLumencorV2MultiLaser& lines = m_pDevice->MultiLaser();
    for (int i = 0; i < lines.m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i)
        if (lines.m_lines[i].m_bUsed) lines.NotifyLineLightState(i);
    return KA_DM_OK;
}

void CKaLumencorV2Shutter::NotifyState(bool open) {
    if (GetDeviceID() == 0) return;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    if (m_pDevice->m_pNotificationCallback) {
        SKaDeviceNotification record = {};
        record.m_logDevId = GetDeviceID();
        record.m_open = open;
        m_pDevice->Notify(KA_NOTIFY_STATE, record);
    }
    dataLock.Unlock();
    m_pDevice->PostToPad(KA_PAD_SHUTTER_STATE);
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::UpdateShutterPad() {
    m_pDevice->PostToPad(KA_PAD_SHUTTER_REFRESH);
    return KA_DM_OK;
}

// The stored setting reaches this unchecked: a negative or missing delay
// means none, and the cap is the largest the configuration dialog offers.
void CKaLumencorV2Shutter::SetDelay(double ms) {
    if (!(ms > 0.0)) ms = 0.0;
    m_dDelay = ms < kMaxDelay ? ms : kMaxDelay;
}
