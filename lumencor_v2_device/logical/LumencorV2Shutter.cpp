// Opening and closing the shutter: the state reaches the engine through a
// batch of the physical device, then the host and the pad are told.
#include "LumencorV2Shutter.h"

#include "KaSystem.h"
#include "LumencorV2Device.h"

namespace {
// KA_Sleep mode of the wait after a switch.
const int kDelaySleepMode = 8;
// Running states of the code-16 notification.
const int32_t kSequenceRunning = 2, kSequenceStopped = 3;
} // namespace

CKaLumencorV2Shutter::CKaLumencorV2Shutter(CKaLumencorV2Device* device) : m_pDevice(device) {}

CKaLumencorV2Shutter::~CKaLumencorV2Shutter() = default;

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetSwitchTime(double* ms) {
    if (ms) *ms = m_dDelay + kSwitchMs;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Shutter::GetShutterState(bool* open) {
    if (!open) return KA_DM_NOT_AVAILABLE;
    *open = IsOpen();
    return KA_DM_OK;
}

bool CKaLumencorV2Shutter::IsOpen() const {
    CKaScopedLock dataLock(m_pDevice->DataLock());
    return m_bOpen;
}

bool CKaLumencorV2Shutter::IsMarked() const {
    CKaScopedLock dataLock(m_pDevice->DataLock());
    return m_bChanged;
}

void CKaLumencorV2Shutter::ClearMark() {
    CKaScopedLock dataLock(m_pDevice->DataLock());
    m_bChanged = false;
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
    const double delay = m_dDelay;
    if (delay > 0) KA_Sleep(delay, kDelaySleepMode);

    NotifyState(open);
    m_pDevice->MultiLaser().NotifyUsedLinesLightState();
    return KA_DM_OK;
}

void CKaLumencorV2Shutter::NotifyState(bool open) {
    if (GetDeviceID() == 0) return;
    if (m_pDevice->HasNotificationCallback()) {
        SKaDeviceNotification record = {};
        record.m_logDevId = GetDeviceID();
        record.m_open = open;
        m_pDevice->Notify(KA_NOTIFY_STATE, record);
    }
    m_pDevice->PostToPad(KA_PAD_SHUTTER_STATE);
}

void CKaLumencorV2Shutter::NotifySequence(bool running) {
    if (GetDeviceID() == 0) return;
    if (m_pDevice->HasNotificationCallback()) {
        SKaDeviceNotification state = {};
        state.m_logDevId = GetDeviceID();
        state.m_running = running ? kSequenceRunning : kSequenceStopped;
        m_pDevice->NotifyNow(KA_NOTIFY_RUNNING, state);
        SKaDeviceNotification shutter = {};
        shutter.m_logDevId = GetDeviceID();
        shutter.m_open = running || IsOpen();
        m_pDevice->Notify(KA_NOTIFY_STATE, shutter);
    }
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
