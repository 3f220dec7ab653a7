// A batch sends every line's switch state in one "SET MULCH" and every
// intensity in one "SET MULCHINT", on the worker thread.
#include "LumencorV2Device.h"
#include "LumencorV2Log.h"
#include "LumencorV2MultiLaser.h"
#include "LumencorV2Protocol.h"
#include "NIDAQ.h"

#include <string>

namespace {

// Engines that take fewer channels at once accept lists of this many first.
const int kPartialMulchEntries = 4;

// " 1" or " 0" for the first `count` channels.
std::string SwitchEntries(const bool* on, int count) {
    std::string entries;
    for (int channel = 0; channel < count; ++channel)
        entries += on[channel] ? " 1" : " 0";
    return entries;
}

} // namespace

int32_t CKaLumencorV2MultiLaser::C_ExecuteBatch() {
    CKaLumencorV2Device& device = *m_pDevice;
    KA_DIAG(false, L"CKaLumencorV2MultiLaser::C_ExecuteBatch - begin");

    const SKaLumencorV2ChannelState lines = ChannelState();
    const int count = lines.count;
    const bool mayWake = device.ShouldWakeBeforeCommand();
    bool woken = false;
    auto send = [&device](const std::string& command) {
        return device.Exchange(command.c_str(), lumencor::kLongAnswer);
    };

    // With NI-DAQ or direct TTL control the lines are switched by the
    // card's outputs, and the engine is woken when the first one goes on;
    // no "SET MULCH" goes to the engine.
    const int32_t control = device.GetControlMode();
    CNIDAQAbstraction_AOTF* abstraction = device.GetTriggeringAbstraction();
    if (control != KA_CONTROL_USB && abstraction) {
        bool onBefore = false, onAfter = false;
        for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
            CNIDAQAbstraction_AOTFLine* output = abstraction->GetLine(i);
            if (!output) continue;
            onBefore = onBefore || output->GetState();
            const int channel = GetLineRecord(i).m_iChannel;
            const bool on = channel >= 0 && channel < count && lines.lit[channel];
            output->SetState(on);
            onAfter = onAfter || on;
        }
        if (!onBefore && onAfter && mayWake) {
            device.C_WakeUp();
            woken = true;
        }
    }
    if (control == KA_CONTROL_USB && lines.switchesChanged) {
        if (lines.anyLit && mayWake) {
            device.C_WakeUp();
            woken = true;
        }
        if (send("SET MULCH" + SwitchEntries(lines.lit, count) + "\r").IsError()) {
            KA_DIAG(false, L"CKaLumencorV2MultiLaser::C_ExecuteBatch - SET MULCH correction");
            const int first = count < kPartialMulchEntries ? count : kPartialMulchEntries;
            send("SET MULCH" + SwitchEntries(lines.lit, first) + "\r");
            for (int k = kPartialMulchEntries + 1; k <= count; ++k)
                send("SET MULCH" + SwitchEntries(lines.lit, k) + "\r");
        }
    }

    if (lines.powersChanged) {
        std::string command = "SET MULCHINT";
        for (int channel = 0; channel < count; ++channel)
            command += " " + std::to_string(lines.intensity[channel]);
        if (!woken && mayWake) device.C_WakeUp();
        send(command + "\r");
    }

    {
        CKaScopedLock dataLock(device.DataLock());
        for (SKaLumencorV2Line& line : m_lines)
            line.m_bUsedChanged = line.m_bPowerChanged = false;
        device.Shutter().ClearMark();
    }
    KA_DIAG(false, L"CKaLumencorV2MultiLaser::C_ExecuteBatch - end");
    return 0;
}
