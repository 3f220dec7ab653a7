// Switching the lines and setting their intensities: the host-side calls
// store the request under the data lock and hand the engine command to the
// worker thread.
#include "LumencorV2Answers.h"
#include "LumencorV2Device.h"
#include "LumencorV2Log.h"
#include "LumencorV2MultiLaser.h"
#include "LumencorV2Protocol.h"
#include "NIDAQ.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Raw powers are on the 12-bit scale of the engine: 4095 is 100 %.
const double kRawPerPercent = 40.95;
const int kPowerSteps = 101, kRawMaximum = 4096;

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
    if (!IsLine(line)) return KA_DM_OUT_OF_RANGE;
    if (!used) return KA_DM_NOT_AVAILABLE;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    *used = Line(line).m_bUsed;
    return KA_DM_OK;
}

// The data lock is not held across the hand-over: a refresh on the worker
// waits for it, and the hand-over would then time out.
EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLineUsed(int line, bool used) {
    if (!IsLine(line)) return KA_DM_OUT_OF_RANGE;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    const bool batch = m_pDevice->IsBatch();
    // A closed shutter keeps the line dark; used is still remembered.
    const bool on = used && m_pDevice->Shutter().IsOpen();
    if (batch) Line(line).m_bUsedChanged = true;
    dataLock.Unlock();

    int32_t result = 0;
    if (!batch)
        result = m_pDevice->RunOnWorker<&CKaLumencorV2MultiLaser::C_SetLineUsed>(*this, line, on);

    CKaScopedLock recordLock(m_pDevice->DataLock());
    if (result == 0) {
        Line(line).m_bUsed = used;
        Line(line).m_bRequestedUsed = used;
    }
    m_pDevice->ClearValuesChanged();
    const bool open = m_pDevice->Shutter().IsOpen();
    recordLock.Unlock();
    Notify(line);
    if (open) NotifyLineLightState(line);
    if (result == 0) return KA_DM_OK;
    // The host learns that the line did not switch.
    return result == KA_DM_TIMEOUT ? KA_DM_TIMEOUT : KA_DM_FAILED;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetPowerLimits(int line, int, int, int* steps,
                                                                 int* maximum) {
    if (!IsLine(line)) return KA_DM_OUT_OF_RANGE;
    if (steps) *steps = kPowerSteps;
    if (maximum) *maximum = kRawMaximum;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetPowerLimits(int line, int* steps,
                                                                 int* maximum) {
    return GetPowerLimits(line, 0, 0, steps, maximum);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLinePowerRaw(int line, int mode, int scale,
                                                                  int power, bool raw) {
    if (!IsLine(line)) return KA_DM_OUT_OF_RANGE;
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
    if (!IsLine(line)) return KA_DM_OUT_OF_RANGE;
    if (!percent) return KA_DM_NOT_AVAILABLE;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    *percent = Line(line).m_dPower;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLinePower(int line, double* percent) {
    return GetLinePower(line, 0, percent);
}

// The record is stored before the hand-over, outside which the data lock is
// released (see SetLineUsed). A hand-over time-out is not reported: the
// power stays as requested.
EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLinePower(int line, int, double percent) {
    if (!IsLine(line)) return KA_DM_OUT_OF_RANGE;
    percent = ClampPercent(percent);
    CKaScopedLock dataLock(m_pDevice->DataLock());
    Line(line).m_dPower = percent;
    Line(line).m_dRequestedPower = percent;
    m_pDevice->ClearValuesChanged();
    const bool batch = m_pDevice->IsBatch();
    if (batch) Line(line).m_bPowerChanged = true;
    const int32_t value = Intensity(percent);
    dataLock.Unlock();
    if (!batch)
        m_pDevice->RunOnWorker<&CKaLumencorV2MultiLaser::C_SetLinePower>(*this, line, value);
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

int32_t CKaLumencorV2MultiLaser::C_SetLineUsed(int line, bool on) {
    CKaLumencorV2Device& device = *m_pDevice;
    if (device.LogsCommunication())
        KA_DIAG(true, L"CKaLumencorV2MultiLaser::C_SetLineUsed(%d, %d)", line, on ? 1 : 0);
    const int32_t control = device.GetControlMode();
    // Direct TTL switches the lines.
    if (control == KA_CONTROL_VEYRA) return 0;
    if (on && device.ShouldWakeBeforeCommand()) device.C_WakeUp();
    if (control == KA_CONTROL_USB) {
        char command[32];
        std::snprintf(command, sizeof command, "SET CH %d %d\r", GetLineRecord(line).m_iChannel,
                      on ? 1 : 0);
        if (device.Exchange(command, lumencor::kShortAnswer).IsError()) {
            CKaScopedLock dataLock(device.DataLock());
            Line(line).m_dPower = 0.0;
            Line(line).m_bUsed = false;
            return -1;
        }
    }
    // Control mode 1: the line's output on the card.
    if (CNIDAQAbstraction_AOTF* abstraction = device.GetTriggeringAbstraction())
        if (CNIDAQAbstraction_AOTFLine* output = abstraction->GetLine(line)) output->SetState(on);
    return 0;
}

int32_t CKaLumencorV2MultiLaser::C_SetLinePower(int line, int32_t value) {
    CKaLumencorV2Device& device = *m_pDevice;
    if (device.LogsCommunication())
        KA_DIAG(true, L"CKaLumencorV2MultiLaser::C_SetLinePower(%d, %d)", line, value);
    if (device.ShouldWakeBeforeCommand()) device.C_WakeUp();
    const int channel = GetLineRecord(line).m_iChannel;
    char command[48];
    std::snprintf(command, sizeof command, "SET CHINT %d %d\r", channel, value);
    if (!device.Exchange(command, lumencor::kShortAnswer).IsError()) return 0;

    // The engine refused: its own intensity becomes the line's power.
    std::snprintf(command, sizeof command, "GET CHINT %d\r", channel);
    const SKaLumencorV2Answer answer = device.Exchange(command, lumencor::kShortAnswer);
    CKaStringA text;
    int32_t number = 0;
    const int32_t maxInt = m_iMaxInt;
    // Without a largest intensity there is no percentage to compute.
    if (answer.Received() && !answer.IsError() &&
        lumencor::ValueText(answer.text + 1, "CHINT", text) && lumencor::ReadNumber(text, number) &&
        maxInt > 0) {
        double percent = ClampPercent(100.0 * number / maxInt);
        CKaScopedLock dataLock(device.DataLock());
        Line(line).m_dPower = percent;
        Line(line).m_dRequestedPower = percent;
    }
    return 0;
}
