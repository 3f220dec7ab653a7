// The device's persisted settings and the notifications it sends the host.
#include "LumencorV2Device.h"

#include "KaSettings.h"
#include "KaSystem.h"

#include <cwchar>

void CKaLumencorV2Device::ReadSettings(const wchar_t* settings) {
    int value = m_eLumencorControl;
    GetIntFromKey(settings, L"m_eLumencorControl", value);
    if (value == KA_CONTROL_VEYRA) {
        CKaVariant allow;
        bool allowed =
            CKaSimpleDMHelper::Qm_GetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", &allow) &&
            allow.GetBool();
        if (m_eModelType != KA_MODEL_ZIVA || !allowed) value = KA_CONTROL_USB;
    }
    m_eLumencorControl = value;
    if (GetIntFromKey(settings, L"m_eStandByMode", value)) m_eStandByMode = value;

    if (m_eLumencorControl == KA_CONTROL_NIDAQ) {
        // Card and wiring are kept for the NI-DAQ triggering set-up.
        CKaStringW card;
        if (GetStringFromKey(settings, L"m_sCardKey", card)) m_sCardKey = card;
        if (GetIntFromKey(settings, L"m_eConnectorBlock", value)) m_eConnectorBlock = value;
        if (GetIntFromKey(settings, L"m_bEnableTriggering", value))
            m_bEnableTriggering = value == 1;
    }

    int numLines = 0;
    if (GetIntFromKey(settings, L"m_iNumLines", numLines) && numLines == m_multiLaser.m_iNumLines &&
        numLines >= 1) {
        for (int i = 0; i < numLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
            wchar_t key[32];
            swprintf(key, 32, L"uWave%d", i);
            if (GetIntFromKey(settings, key, value))
                m_multiLaser.m_lines[i].m_uWavelength = static_cast<uint32_t>(value);
        }
    }
    if (GetIntFromKey(settings, L"m_bShowTemperature", value)) m_bShowTemperature = value == 1;
    if (GetIntFromKey(settings, L"m_bShowSubset", value)) m_bShowSubset = value == 1;
    double delay = 0;
    if (GetDoubleFromKey(settings, L"dShutterDelay", delay)) m_shutter.SetDelay(delay);
}

void CKaLumencorV2Device::WriteSettings(CKaStringW& settings) {
    settings.Empty();
    SetIntToKey(settings, L"m_eLumencorControl", m_eLumencorControl);
    SetIntToKey(settings, L"m_eStandByMode", m_eStandByMode);
    SetDoubleToKey(settings, L"dShutterDelay", m_shutter.GetDelay());
    SetIntToKey(settings, L"m_iNumLines", m_multiLaser.m_iNumLines);
    for (int i = 0; i < m_multiLaser.m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
        wchar_t key[32];
        swprintf(key, 32, L"uWave%d", i);
        SetIntToKey(settings, key, static_cast<int>(m_multiLaser.m_lines[i].m_uWavelength));
    }
    SetIntToKey(settings, L"m_bShowTemperature", m_bShowTemperature ? 1 : 0);
    SetIntToKey(settings, L"m_bShowSubset", m_bShowSubset ? 1 : 0);
}

// While a batch is open a notification replaces the queued one of the same
// logical device or joins the queue; a full queue is passed on at once.
void CKaLumencorV2Device::Notify(int32_t code, const SKaDeviceNotification& record) {
    KaNotificationCallback callback = m_pNotificationCallback;
    if (!callback) return;
    if (!m_bBatch) {
        callback(code, &record, 0);
        return;
    }
    EnterCriticalSection(&m_csNotificationQueue);
    int i = 0;
    while (i < m_iQueuedNotifications && m_notificationQueue[i].m_logDevId != record.m_logDevId)
        ++i;
    m_notificationQueue[i] = {record.m_logDevId, code, 0, record};
    if (i == m_iQueuedNotifications) ++m_iQueuedNotifications;
    bool full = m_iQueuedNotifications == 32;
    LeaveCriticalSection(&m_csNotificationQueue);
    if (full) FlushNotifications();
}

void CKaLumencorV2Device::FlushNotifications() {
    SKaQueuedNotification pending[32];
    EnterCriticalSection(&m_csNotificationQueue);
    int count = m_iQueuedNotifications;
    for (int i = 0; i < count; ++i)
        pending[i] = m_notificationQueue[i];
    m_iQueuedNotifications = 0;
    LeaveCriticalSection(&m_csNotificationQueue);
    KaNotificationCallback callback = m_pNotificationCallback;
    for (int i = 0; i < count && callback; ++i)
        callback(KA_NOTIFY_STATE, &pending[i].m_record, 0);
}
