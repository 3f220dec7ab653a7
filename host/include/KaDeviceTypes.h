// Return codes, records and lists the device manager exchanges with devices.
#pragma once

#include <windows.h>

#include <cstdint>

class IKaLogicalDevice;

enum EDeviceManagerReturnCode : int32_t {
    KA_DM_OK = 0,
    KA_DM_FAILED = 1,
    KA_DM_NOT_CONFIGURED = 5,
    KA_DM_PORT_DIALOG_CANCELLED = 7,
    KA_DM_CONNECTED = 10,
    KA_DM_OUT_OF_RANGE = 12,
    KA_DM_DIALOG_CANCELLED = 14,
    KA_DM_NOT_AVAILABLE = 21,
    KA_DM_NOT_SUPPORTED = 22,
    KA_DM_TIMEOUT = 1460,
};

// Notification codes passed with a record to the notification callback.
enum EKaNotificationCode { KA_NOTIFY_STATE = 1, KA_NOTIFY_RUNNING = 16, KA_NOTIFY_LINE_LIGHT = 30 };

struct SKaNotificationLine {
    bool m_used;
    int32_t m_onOff;
    double m_power;
    uint32_t m_wavelength;
    int32_t m_extra;
};

// What a device reports about one of its logical devices.
struct SKaDeviceNotification {
    int32_t m_logDevId;
    int32_t m_lineCount;
    SKaNotificationLine m_lines[8];
    int32_t m_operationMode;
    int32_t m_changedLine;
    bool m_open;
    int32_t m_running;
    bool m_lineLightState[3];
};

typedef void (*KaNotificationCallback)(int32_t code, const SKaDeviceNotification* record,
                                       int32_t reserved);

// Bus description: four 32-bit values, then two 64-bit values.
struct SKaBusInfo {
    int32_t m_kind;
    int32_t m_busMode;
    int32_t m_comPort;
    int32_t m_reserved1;
    int64_t m_handle;
    int64_t m_reserved2;
};

struct SKaHWUnit {
    int32_t m_type;
    int32_t m_idCount;
    int32_t m_ids[16];
    wchar_t m_name[64];
};

// Small fixed-capacity lists the host hands to devices to fill.
template <class T, int Capacity> class CKaFixedList {
  public:
    void RemoveAll() { m_count = 0; }
    bool Add(const T& item) {
        if (m_count >= Capacity) return false;
        m_items[m_count++] = item;
        return true;
    }
    int GetCount() const { return m_count; }
    const T& Get(int index) const { return m_items[index]; }

  private:
    int m_count = 0;
    T m_items[Capacity] = {};
};

typedef CKaFixedList<IKaLogicalDevice*, 16> CKaLogicalDeviceList;
typedef CKaFixedList<SKaHWUnit, 8> CKaHWUnitList;
