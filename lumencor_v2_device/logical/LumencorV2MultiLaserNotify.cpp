// What the multi-line light source tells the host: the state of its lines
// (code 1), whether a line's light is let out (code 30), and the light
// state the host asks for.
#include "LumencorV2Device.h"
#include "LumencorV2Log.h"
#include "LumencorV2MultiLaser.h"

void CKaLumencorV2MultiLaser::FillNotification(int changedLine, SKaDeviceNotification& record) {
    KA_ASSERT_HELD(m_pDevice->DataLock());
    record.m_logDevId = GetDeviceID();
    const int count = m_iNumLines;
    record.m_lineCount = count;
    for (int i = 0; i < count && i < KA_LUMENCOR_MAX_LINES; ++i) {
        SKaNotificationLine& entry = record.m_lines[i];
        entry.m_used = m_lines[i].m_bUsed;
        int onOff = 0;
        GetLaserOnOffStatus(i, &onOff);
        entry.m_onOff = onOff;
        entry.m_power = m_lines[i].m_dPower;
        entry.m_wavelength = m_lines[i].m_uWavelength;
        entry.m_extra = -1;
    }
    record.m_operationMode = m_eOperationMode;
    record.m_changedLine = changedLine;
}

// The record is taken under the data lock and passed on after it, within
// the order lock, so that the host receives the states in the order they
// were taken.
void CKaLumencorV2MultiLaser::Notify(int line) {
    if (GetDeviceID() == 0) return;
    KA_DIAG(false, L"CKaLumencorV2MultiLaser::Notify");
    if (m_pDevice->HasNotificationCallback()) {
        CKaScopedLock order(m_pDevice->NotificationOrderLock());
        SKaDeviceNotification record = {};
        {
            CKaScopedLock dataLock(m_pDevice->DataLock());
            FillNotification(line, record);
        }
        m_pDevice->Notify(KA_NOTIFY_STATE, record);
    }
    m_pDevice->PostToPad(KA_PAD_LINE_STATE);
}

void CKaLumencorV2MultiLaser::NotifyLineLightState(int line) {
    if (!m_pDevice->HasNotificationCallback()) return;
    CKaScopedLock order(m_pDevice->NotificationOrderLock());
    SKaDeviceNotification record = {};
    record.m_logDevId = GetDeviceID();
    record.m_changedLine = line;
    bool* state = record.m_lineLightState;
    if (GetLineLightState(line, &state[0], &state[1], &state[2]) != KA_DM_OK) return;
    m_pDevice->NotifyNow(KA_NOTIFY_LINE_LIGHT, record);
}

void CKaLumencorV2MultiLaser::NotifyUsedLinesLightState() {
    for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i)
        if (GetLineRecord(i).m_bUsed) NotifyLineLightState(i);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLightState(bool* lit, bool* open,
                                                                bool* anyUsed) {
    bool used = false;
    bool shutterOpen = false;
    {
        CKaScopedLock dataLock(m_pDevice->DataLock());
        for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i)
            used = used || m_lines[i].m_bUsed;
        shutterOpen = m_pDevice->Shutter().IsOpen();
    }
    if (lit) *lit = used && shutterOpen;
    if (open) *open = shutterOpen;
    if (anyUsed) *anyUsed = used;
    return KA_DM_OK;
}

// The shutter lights or darkens every used line at once, so it is switched
// once when any line is used.
EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SwitchLight(bool on, bool* lit, bool* open,
                                                              bool* anyUsed) {
    bool used = false;
    GetLightState(nullptr, nullptr, &used);
    if (used) m_pDevice->Shutter().SetShutterState(on);
    return GetLightState(lit, open, anyUsed);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineLightState(int line, bool* lit, bool* used,
                                                                    bool* open) {
    if (!IsLine(line)) return KA_DM_OUT_OF_RANGE;
    bool lineUsed = false, shutterOpen = false;
    {
        CKaScopedLock dataLock(m_pDevice->DataLock());
        lineUsed = m_lines[line].m_bUsed;
        shutterOpen = m_pDevice->Shutter().IsOpen();
    }
    if (lit) *lit = lineUsed && shutterOpen;
    if (used) *used = lineUsed;
    if (open) *open = shutterOpen;
    return KA_DM_OK;
}
