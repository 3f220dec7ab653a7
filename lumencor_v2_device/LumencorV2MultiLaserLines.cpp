// Switching the lines and setting their intensities: the host-side calls
// store the request under the data lock and hand the engine command to the
// worker thread.
#include "LumencorV2Answers.h"
#include "LumencorV2Device.h"
#include "LumencorV2MultiLaser.h"
#include "ScopedLock.h"

#include "KaSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const int kShortAnswer = 64;
const double kRawPerPercent = 40.95;

// Percent outside 0 to 100 (or not a number) would send the engine a value
// beyond its range.
double ClampPercent(double percent) {
    if (!(percent >= 0.0)) return 0.0;
    return std::min(percent, 100.0);
}

} // namespace

int32_t CKaLumencorV2MultiLaser::Intensity(double percent) const {
    return static_cast<int32_t>(std::lround(m_iMaxInt * percent / 100.0));
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineUsed(int line, bool* used) {
    if (line < 0 || line >= m_iNumLines) return KA_DM_OUT_OF_RANGE;
    if (!used) return KA_DM_NOT_AVAILABLE;
    *used = m_lines[line].m_bUsed;
    return KA_DM_OK;
}

// The data lock is not held across the hand-over: a refresh on the worker
// waits for it, and the hand-over would then time out.
EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLineUsed(int line, bool used) {
    if (line < 0 || line >= m_iNumLines) return KA_DM_OUT_OF_RANGE;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    const bool batch = m_pDevice->IsBatch();
    // A closed shutter keeps the line dark; used is still remembered.
    const bool on = used && m_pDevice->Shutter().m_bOpen;
    if (batch) m_lines[line].m_bUsedChanged = true;
    dataLock.Unlock();

    int32_t result = 0;
    if (!batch)
        result = m_pDevice->CallBack(&C_SetLineUsedCall, reinterpret_cast<uint64_t>(this),
                                     static_cast<uint64_t>(line), on ? 1 : 0, 0);

    CKaScopedLock recordLock(m_pDevice->DataLock());
    if (result == 0) {
        m_lines[line].m_bUsed = used;
        m_lines[line].m_bRequestedUsed = used;
    }
    m_pDevice->m_bValuesChanged = false;
    recordLock.Unlock();
    Notify(line);
    if (m_pDevice->Shutter().m_bOpen) NotifyLineLightState(line);
    if (result == 0) return KA_DM_OK;
    // The host learns that the line did not switch.
    return result == KA_DM_TIMEOUT ? KA_DM_TIMEOUT : KA_DM_FAILED;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetPowerLimits(int line, int, int, int* steps,
                                                                 int* maximum) {
    if (line < 0 || line >= m_iNumLines) return KA_DM_OUT_OF_RANGE;
    if (steps) *steps = 101;
    if (maximum) *maximum = 4096;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetPowerLimits(int line, int* steps,
                                                                 int* maximum) {
    return GetPowerLimits(line, 0, 0, steps, maximum);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLinePowerRaw(int line, int mode, int scale,
                                                                  int power, bool raw) {
    if (line < 0 || line >= m_iNumLines) return KA_DM_OUT_OF_RANGE;
    double percent = raw ? power / kRawPerPercent : power;
    EDeviceManagerReturnCode result = ConvertPower(percent, scale, scale, &percent);
    if (result != KA_DM_OK) return result;
    return SetLinePower(line, mode, percent);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLinePowerRaw(int line, int power, bool raw) {
    return SetLinePowerRaw(line, 0, 0, power, raw);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetPowerMode(int* mode) {
    if (mode) *mode = 0;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::ConvertPower(double value, int fromScale,
                                                               int toScale, double* converted) {
    if (!converted) return KA_DM_NOT_AVAILABLE;
    if (fromScale != toScale) return KA_DM_NOT_SUPPORTED;
    *converted = value;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLinePower(int line, int, double* percent) {
    if (line < 0 || line >= m_iNumLines) return KA_DM_OUT_OF_RANGE;
    if (!percent) return KA_DM_NOT_AVAILABLE;
    *percent = m_lines[line].m_dPower;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLinePower(int line, double* percent) {
    return GetLinePower(line, 0, percent);
}

// The record is stored before the hand-over, outside which the data lock is
// released (see SetLineUsed). A hand-over time-out is not reported: the
// power stays as requested.
EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLinePower(int line, int, double percent) {
    if (line < 0 || line >= m_iNumLines) return KA_DM_OUT_OF_RANGE;
    percent = ClampPercent(percent);
    CKaScopedLock dataLock(m_pDevice->DataLock());
    m_lines[line].m_dPower = percent;
    m_lines[line].m_dRequestedPower = percent;
    m_pDevice->m_bValuesChanged = false;
    const bool batch = m_pDevice->IsBatch();
    if (batch) m_lines[line].m_bPowerChanged = true;
    const int32_t value = Intensity(percent);
    dataLock.Unlock();
    if (!batch)
        m_pDevice->CallBack(&C_SetLinePowerCall, reinterpret_cast<uint64_t>(this),
                            static_cast<uint64_t>(line),
                            static_cast<uint64_t>(static_cast<uint32_t>(value)), 0);
    Notify(line);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLinePower(int line, double percent) {
    return SetLinePower(line, 0, percent);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetAllLines(bool* used, double* percent) {
    if (!used || !percent) return KA_DM_NOT_AVAILABLE;
    for (int i = 0; i < m_iNumLines; ++i) {
        GetLineUsed(i, &used[i]);
        GetLinePower(i, &percent[i]);
    }
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetAllLines(const bool* used,
                                                              const double* percent) {
    if (!used || !percent) return KA_DM_NOT_AVAILABLE;
    for (int i = 0; i < m_iNumLines; ++i) {
        SetLineUsed(i, used[i]);
        SetLinePower(i, percent[i]);
    }
    return KA_DM_OK;
}

int32_t CKaLumencorV2MultiLaser::C_SetLineUsedCall(uint64_t self, uint64_t line, uint64_t on) {
    return reinterpret_cast<CKaLumencorV2MultiLaser*>(self)->C_SetLineUsed(static_cast<int>(line),
                                                                           on != 0);
}

int32_t CKaLumencorV2MultiLaser::C_SetLinePowerCall(uint64_t self, uint64_t line, uint64_t value) {
    return reinterpret_cast<CKaLumencorV2MultiLaser*>(self)->C_SetLinePower(
        static_cast<int>(line), static_cast<int32_t>(value));
}

int32_t CKaLumencorV2MultiLaser::C_SetLineUsed(int line, bool on) {
    CKaLumencorV2Device& device = *m_pDevice;
    if (device.m_bLogCommunication)
        KA_DIAG(true, L"CKaLumencorV2MultiLaser::C_SetLineUsed(%d, %d)", line, on ? 1 : 0);
    const int32_t control = device.GetControlMode();
    // Direct TTL switches the lines.
    if (control == KA_CONTROL_VEYRA) return 0;
    if (on && device.m_bWakeUpSupported && !device.m_bInExperiment) device.C_WakeUp();
    if (control == KA_CONTROL_USB) {
        char command[32];
        std::snprintf(command, sizeof command, "SET CH %d %d\r", m_lines[line].m_iChannel,
                      on ? 1 : 0);
        char answer[kShortAnswer];
        device.CommandSend(command, static_cast<int>(std::strlen(command)));
        device.Receive(answer, kShortAnswer, 1);
        if (answer[0] == 'E') {
            CKaScopedLock dataLock(device.DataLock());
            m_lines[line].m_dPower = 0.0;
            m_lines[line].m_bUsed = false;
            return -1;
        }
    }
    // Control mode 1 switches the line's NI-DAQ line, set up with triggering.
    return 0;
}

int32_t CKaLumencorV2MultiLaser::C_SetLinePower(int line, int32_t value) {
    CKaLumencorV2Device& device = *m_pDevice;
    if (device.m_bLogCommunication)
        KA_DIAG(true, L"CKaLumencorV2MultiLaser::C_SetLinePower(%d, %d)", line, value);
    if (device.m_bWakeUpSupported && !device.m_bInExperiment) device.C_WakeUp();
    const int channel = m_lines[line].m_iChannel;
    char command[48];
    std::snprintf(command, sizeof command, "SET CHINT %d %d\r", channel, value);
    char answer[kShortAnswer];
    device.CommandSend(command, static_cast<int>(std::strlen(command)));
    device.Receive(answer, kShortAnswer, 1);
    if (answer[0] != 'E') return 0;

    // The engine refused: its own intensity becomes the line's power.
    std::snprintf(command, sizeof command, "GET CHINT %d\r", channel);
    device.CommandSend(command, static_cast<int>(std::strlen(command)));
    int received = device.Receive(answer, kShortAnswer, 1);
    CKaStringA text;
    int32_t number = 0;
    // Without a largest intensity there is no percentage to compute.
    if (received > 0 && answer[0] != 'E' && lumencor::ValueText(answer + 1, "CHINT", text) &&
        lumencor::ReadNumber(text, number) && m_iMaxInt > 0) {
        double percent = ClampPercent(100.0 * number / m_iMaxInt);
        CKaScopedLock dataLock(device.DataLock());
        m_lines[line].m_dPower = percent;
        m_lines[line].m_dRequestedPower = percent;
    }
    return 0;
}
