// Values every part of the driver reads: model type, control mode, stand-by
// mode, device state, and the queue of batched notifications.
#pragma once

#include "KaDeviceTypes.h"

#include <cstdint>

enum EKaLumencorModel { KA_MODEL_SPECTRA3 = 0, KA_MODEL_CELESTA = 1, KA_MODEL_ZIVA = 2 };
// 0 "USB Only", 1 "USB + TTL via NIDAQ", 2 "USB + Veyra Direct TTL".
enum EKaLumencorControl { KA_CONTROL_USB = 0, KA_CONTROL_NIDAQ = 1, KA_CONTROL_VEYRA = 2 };
// 0 "Disabled", 1 "Enabled Outside Experiment", 2 "Enabled".
enum EKaStandByMode { KA_STANDBY_DISABLED = 0, KA_STANDBY_OUTSIDE = 1, KA_STANDBY_ENABLED = 2 };
enum EKaDeviceState { KA_STATE_DISCONNECTED = 0, KA_STATE_CONFIGURED = 2, KA_STATE_CONNECTING = 3 };

// Notifications collected while a batch is open: one entry per logical device.
const int kNotificationQueueSize = 32;

struct SKaQueuedNotification {
    int32_t m_logDevId;
    int32_t m_code;
    int32_t m_reserved;
    SKaDeviceNotification m_record;
};
