#include "notifications.h"
#include "KaHostHooks.h"

#include "KaDMApi.h"
#include "KaLogicalDevice.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace {

std::atomic<bool> g_printing{true};

std::string Interface(int logDevId) {
    IKaLogicalDevice* device = DMApiHooks::LogDev_Get(logDevId);
    if (!device) return "device " + std::to_string(logDevId);
    CKaStringW name;
    device->GetInterfaceName(name);
    return name.ToNarrow().GetString();
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

void PrintState(const SKaDeviceNotification& r) {
    const std::string device = Interface(r.m_logDevId);
    if (device == "IDeviceShutter") {
        std::printf("  host <- %s state: %s\n", device.c_str(), r.m_open ? "open" : "closed");
        return;
    }
    std::string used, powers;
    for (int i = 0; i < r.m_lineCount && i < 8; ++i) {
        used += r.m_lines[i].m_used ? " on " : " -- ";
        char power[16];
        std::snprintf(power, sizeof power, " %3.0f", r.m_lines[i].m_power);
        powers += power;
    }
    std::printf("  host <- %s state (line %d changed): used [%s ]  power %% [%s ]\n",
                device.c_str(), r.m_changedLine, used.c_str(), powers.c_str());
}

} // namespace

void PrintingNotificationCallback(int32_t code, const SKaDeviceNotification* record,
                                  int32_t reserved) {
    if (record && g_printing) {
        const SKaDeviceNotification& r = *record;
        switch (code) {
        case KA_NOTIFY_STATE:
            PrintState(r);
            break;
        case KA_NOTIFY_LINE_LIGHT:
            std::printf("  host <- %s light of line %d: lit %s, used %s, shutter open %s\n",
                        Interface(r.m_logDevId).c_str(), r.m_changedLine,
                        YesNo(r.m_lineLightState[0]), YesNo(r.m_lineLightState[1]),
                        YesNo(r.m_lineLightState[2]));
            break;
        default:
            std::printf("  host <- notification %d from %s\n", code,
                        Interface(r.m_logDevId).c_str());
        }
        std::fflush(stdout);
    }
    DMApiHooks::GetHostNotificationCallback()(code, record, reserved);
}

void SetNotificationPrinting(bool on) {
    g_printing = on;
}
