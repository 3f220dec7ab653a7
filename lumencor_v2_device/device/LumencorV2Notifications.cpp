// What the device tells the host about its logical devices. While a batch is
// open a state record replaces the queued one of the same logical device or
// joins the queue; a full queue is passed on at once. The host is called with
// the data lock released: its callback may well ask the device for state.
#include "LumencorV2Device.h"

void CKaLumencorV2Device::Notify(int32_t code, const SKaDeviceNotification& record) {
    KA_ASSERT_NOT_HELD(m_dataLock);
    CKaScopedLock order(m_notificationOrderLock);
    if (!m_pNotificationCallback.load()) return;
    if (!m_bBatch) {
        NotifyNow(code, record);
        return;
    }
    bool full = false;
    {
        CKaScopedLock queue(m_notificationQueueLock);
        int i = 0;
        while (i < m_iQueuedNotifications && m_notificationQueue[i].m_logDevId != record.m_logDevId)
            ++i;
        m_notificationQueue[i] = {record.m_logDevId, code, 0, record};
        if (i == m_iQueuedNotifications) ++m_iQueuedNotifications;
        full = m_iQueuedNotifications == kNotificationQueueSize;
    }
    if (full) FlushNotifications();
}

void CKaLumencorV2Device::NotifyNow(int32_t code, const SKaDeviceNotification& record) {
    KA_ASSERT_NOT_HELD(m_dataLock);
    KaNotificationCallback callback = m_pNotificationCallback;
    if (callback) callback(code, &record, 0);
}

void CKaLumencorV2Device::FlushNotifications() {
    KA_ASSERT_NOT_HELD(m_dataLock);
    CKaScopedLock order(m_notificationOrderLock);
    SKaQueuedNotification pending[kNotificationQueueSize];
    int count = 0;
    {
        CKaScopedLock queue(m_notificationQueueLock);
        count = m_iQueuedNotifications;
        for (int i = 0; i < count; ++i)
            pending[i] = m_notificationQueue[i];
        m_iQueuedNotifications = 0;
    }
    for (int i = 0; i < count; ++i)
        NotifyNow(KA_NOTIFY_STATE, pending[i].m_record);
}
