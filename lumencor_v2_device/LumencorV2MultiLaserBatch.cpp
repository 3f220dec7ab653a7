// A batch sends every line's switch state in one "SET MULCH" and every
// intensity in one "SET MULCHINT", on the worker thread.
#include "LumencorV2Device.h"
#include "LumencorV2MultiLaser.h"
#include "ScopedLock.h"

#include "KaSystem.h"

#include <cstring>
#include <string>

namespace {

const int kBatchAnswer = 256;

// " 1" or " 0" for the first `count` channels.
std::string SwitchEntries(const bool* on, int count) {
    std::string entries;
    for (int channel = 0; channel < count; ++channel)
        entries += on[channel] ? " 1" : " 0";
    return entries;
}

} // namespace

int32_t CKaLumencorV2MultiLaser::C_ExecuteBatchCall(uint64_t self, uint64_t, uint64_t) {
    return reinterpret_cast<CKaLumencorV2MultiLaser*>(self)->C_ExecuteBatch();
}

int32_t CKaLumencorV2MultiLaser::C_ExecuteBatch() {
    CKaLumencorV2Device& device = *m_pDevice;
    KA_DIAG(false, L"CKaLumencorV2MultiLaser::C_ExecuteBatch - begin");

    // The lines by channel number, as the engine lists them.
    bool on[KA_LUMENCOR_MAX_LINES] = {};
    int32_t intensity[KA_LUMENCOR_MAX_LINES] = {};
    bool switchChanged = false, powerChanged = false, anyOn = false;
    int count = 0;
    {
        CKaScopedLock dataLock(device.DataLock());
        count = m_iNumLines < KA_LUMENCOR_MAX_LINES ? m_iNumLines : KA_LUMENCOR_MAX_LINES;
        const bool open = device.Shutter().m_bOpen;
        switchChanged = device.Shutter().m_bChanged;
        for (int i = 0; i < count; ++i) {
            const SKaLumencorV2Line& line = m_lines[i];
            switchChanged = switchChanged || line.m_bUsedChanged;
            powerChanged = powerChanged || line.m_bPowerChanged;
            const int channel = line.m_iChannel;
            if (channel < 0 || channel >= count) continue;
            on[channel] = line.m_bUsed && open;
            intensity[channel] = Intensity(line.m_dPower);
            anyOn = anyOn || on[channel];
        }
    }

    const bool mayWake = device.m_bWakeUpSupported && !device.m_bInExperiment;
    bool woken = false;
    char answer[kBatchAnswer];
    auto send = [&device, &answer](const std::string& command) {
        device.CommandSend(command.c_str(), static_cast<int>(command.size()));
        device.Receive(answer, kBatchAnswer, 1);
    };

    // With NI-DAQ or direct TTL control the lines are switched by their
    // digital lines, which come with triggering; nothing goes to the engine.
    if (device.GetControlMode() == KA_CONTROL_USB && switchChanged) {
        if (anyOn && mayWake) {
            device.C_WakeUp();
            woken = true;
        }
        send("SET MULCH" + SwitchEntries(on, count) + "\r");
        if (answer[0] == 'E') {
            // Engines that take fewer channels at once get growing lists.
            KA_DIAG(false, L"CKaLumencorV2MultiLaser::C_ExecuteBatch - SET MULCH correction");
            send("SET MULCH" + SwitchEntries(on, count < 4 ? count : 4) + "\r");
            for (int k = 5; k <= count; ++k)
                send("SET MULCH" + SwitchEntries(on, k) + "\r");
        }
    }

    if (powerChanged) {
        std::string command = "SET MULCHINT";
        for (int channel = 0; channel < count; ++channel)
            command += " " + std::to_string(intensity[channel]);
        if (!woken && mayWake) device.C_WakeUp();
        send(command + "\r");
    }

    {
        CKaScopedLock dataLock(device.DataLock());
        for (SKaLumencorV2Line& line : m_lines)
            line.m_bUsedChanged = line.m_bPowerChanged = false;
        device.Shutter().m_bChanged = false;
    }
    KA_DIAG(false, L"CKaLumencorV2MultiLaser::C_ExecuteBatch - end");
    return 0;
}
