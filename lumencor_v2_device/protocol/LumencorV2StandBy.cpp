// The periodic poll and waking the engine: read-outs, the stand-by state and
// keeping the engine awake while the stand-by mode asks for it. Worker thread.
#include "LumencorV2Answers.h"
#include "LumencorV2Device.h"
#include "LumencorV2Log.h"
#include "LumencorV2Protocol.h"

#include "KaSystem.h"

using namespace lumencor;

static_assert(kWakeUpLimitMs * 3 <= CKaLumencorV2Worker::kReleaseTimeoutMs,
              "a command behind a wake-up keeps most of its hand-over");

// One poll every kRefreshPeriod + 1 idle waits, about once a second.
void CKaLumencorV2Device::OnWorkerIdle() {
    if (m_iRefreshCountdown < 0 || !m_bCommunicationEnabled) return;
    if (m_iRefreshCountdown-- == 0) {
        m_iRefreshCountdown = kRefreshPeriod;
        C_Refresh();
    }
}

int32_t CKaLumencorV2Device::C_Refresh() {
    CKaScopedLock refreshLock(m_refreshLock);
    bool logWasOn = m_bLogCommunication.exchange(false);
    if (logWasOn) KA_DIAG(true, L"CKaLumencorV2Device::C_Refresh - begin");
    int32_t awakeBefore = m_iAwake;

    CKaScopedLock dataLock(m_dataLock);
    m_bValuesChanged = m_bReadoutsChanged = false;
    CKaStringA summary;
    if (m_bShowTemperature) {
        static const struct {
            const char* command;
            const char* keyword;
            int32_t CKaLumencorV2Device::*value;
        } readouts[] = {
            {"GET TEMP\r", "TEMP", &CKaLumencorV2Device::m_iTemperature},
            {"GET SUPPLYCURRENT\r", "SUPPLYCURRENT", &CKaLumencorV2Device::m_iSupplyCurrent},
            {"GET SUPPLYPOWER\r", "SUPPLYPOWER", &CKaLumencorV2Device::m_iSupplyPower},
        };
        const int count = static_cast<int>(sizeof readouts / sizeof readouts[0]);
        for (int i = 0; i < count; ++i) {
            const SKaLumencorV2Answer answer = Exchange(readouts[i].command, kLongAnswer);
            summary += answer.text;
            if (i < count - 1) summary += "; ";
            // An answer without a readable number keeps the stored read-out.
            CKaStringA value;
            int32_t number = 0;
            if (answer.Received() && !answer.IsError() &&
                ValueText(answer.text, readouts[i].keyword, value) && ReadNumber(value, number)) {
                if (number != this->*readouts[i].value) {
                    this->*readouts[i].value = number;
                    m_bReadoutsChanged = true;
                }
            }
        }
    }
    if (m_bValuesChanged || m_bReadoutsChanged) PostToPad(KA_PAD_READOUTS);
    dataLock.Unlock();

    const int32_t mode = m_eStandByMode;
    const bool keepAwake = m_bWakeUpSupported && (mode == KA_STANDBY_DISABLED ||
                                                  (mode == KA_STANDBY_OUTSIDE && m_bInExperiment));
    if (keepAwake) {
        m_bLogCommunication = logWasOn;
        refreshLock.Unlock();
        const double now = KA_GetTimeCounter();
        if (now - m_dLastWakeUp > kKeepAwakeMs) {
            Exchange("WAKEUP\r", kLongAnswer);
            m_dLastWakeUp = now;
            m_iAwake = 1;
        }
    } else {
        const SKaLumencorV2Answer answer = Exchange("GET STAT\r", kShortAnswer);
        CKaStringA value;
        if (ValueText(answer.text, "STAT", value))
            m_iAwake = Number(value) == kStateStandBy ? 0 : 1;
        m_bLogCommunication = logWasOn;
        refreshLock.Unlock();
    }

    if (m_iAwake != awakeBefore) {
        if (m_iAwake == 0) KA_DIAG(true, L"CKaLumencorV2Device::C_Refresh - device fall asleep");
        PostToPad(KA_PAD_AWAKE_OR_SETTINGS);
    }
    if (logWasOn)
        KA_DIAG(true, L"CKaLumencorV2Device::C_Refresh - end (%ls)",
                CKaStringW(summary).GetString());
    return 0;
}

// Wakes the engine and waits, polling its state once a second, until it
// reports neither stand-by nor waking up; an engine that does not wake
// within kWakeUpLimitMs is given up on with result 1.
int32_t CKaLumencorV2Device::C_WakeUp() {
    if (m_bLogCommunication) KA_DIAG(true, L"CKaLumencorV2Device::C_WakeUp - begin");
    if (KA_GetTimeCounter() - m_dLastWakeUp < kWakeUpGuardMs) {
        KA_DIAG(true, L"CKaLumencorV2Device::C_WakeUp - end ignore - too close after previous "
                      L"wakeup");
        return 0;
    }
    Exchange("WAKEUP\r", kShortAnswer);
    const double started = m_dLastWakeUp = KA_GetTimeCounter();
    SKaLumencorV2Answer answer = Exchange("GET STAT\r", kShortAnswer);

    bool awake = true;
    CKaStringA value;
    while (ValueText(answer.text, "STAT", value)) {
        const int32_t state = Number(value);
        if (state != kStateStandBy && state != kStateWakingUp) break;
        const double waited = KA_GetTimeCounter() - started;
        if (waited >= kWakeUpLimitMs) {
            KA_DIAG(false,
                    L"CKaLumencorV2Device::C_WakeUp - engine still in state %d after %d ms, "
                    L"given up",
                    state, static_cast<int>(waited));
            awake = false;
            break;
        }
        if (state == kStateStandBy) {
            Exchange("WAKEUP\r", kShortAnswer);
            m_dLastWakeUp = KA_GetTimeCounter();
        }
        KA_Sleep(kStatePollMs, 0);
        answer = Exchange("GET STAT\r", kShortAnswer);
    }
    if (awake && m_iAwake != 1) {
        m_iAwake = 1;
        PostToPad(KA_PAD_AWAKE_OR_SETTINGS);
    }
    if (m_bLogCommunication) KA_DIAG(true, L"CKaLumencorV2Device::C_WakeUp - end");
    return awake ? 0 : 1;
}
