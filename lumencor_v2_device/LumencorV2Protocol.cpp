// The light engine's serial protocol: one CR-terminated command, one
// CR-terminated answer, always on the worker thread.
#include "LumencorV2Answers.h"
#include "LumencorV2Device.h"
#include "ScopedLock.h"

#include "KaSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace lumencor;

namespace {

const int kLongAnswer = 256;
const int kShortAnswer = 64;
const double kKeepAwakeMs = 60000.0;
const double kWakeUpGuardMs = 6000.0;
const double kStatePollMs = 1000.0;

bool StartsWithError(const char* answer) {
    return answer[0] == 'E';
}

} // namespace

int32_t CKaLumencorV2Device::CommandSend(const char* command, int length) {
    if (m_bLogCommunication)
        KA_DIAG(true, L"CKaLumencorV2Device::CommandSend %ls",
                CKaStringW(CKaStringA(command)).GetString());
    if (m_bSimulator) {
        m_sLastCommand = CKaStringA(command, static_cast<size_t>(length));
        return 0;
    }
    if (!m_pSerial) return 1;
    m_pSerial->Purge();
    return m_pSerial->Send(command, static_cast<unsigned>(length)) ? 0 : 1;
}

// The answer is always terminated inside the buffer: at most size - 1
// characters are read.
int32_t CKaLumencorV2Device::Receive(char* buffer, int size, int attempts) {
    if (size <= 0) return 0;
    // Simulated answers are not logged; the command was, by CommandSend.
    if (m_bSimulator) return SimulatedReceive(buffer, size);
    buffer[0] = 0;
    int count = 0;
    if (m_pSerial) {
        for (int attempt = 0; attempt < attempts && count == 0; ++attempt)
            count = m_pSerial->ReceiveWithLoop('\r', 1, buffer, size - 1, 3, 1);
        if (count < 0 || count > size - 1) count = 0;
        buffer[count] = 0;
    }
    if (m_bLogCommunication)
        KA_DIAG(true, L"CKaLumencorV2Device::Receive %ls",
                CKaStringW(CKaStringA(buffer)).GetString());
    return count;
}

int32_t CKaLumencorV2Device::SendAndReceive(const char* command, char* answer, int size) {
    CommandSend(command, static_cast<int>(std::strlen(command)));
    return Receive(answer, size, 1);
}

bool CKaLumencorV2Device::QueryIdentity(const char* keyword, char* answer, int size) {
    char command[32];
    std::snprintf(command, sizeof command, "GET %s\r", keyword);
    return SendAndReceive(command, answer, size) > 0;
}

namespace {

bool OpenPort(CKaSimpleSerial& serial, int port, unsigned baud) {
    if (!serial.OpenCOM(port, baud, 8, KA_PARITY_NONE, KA_STOPBITS_ONE, false, 13, 0, KA_FLOW_NONE,
                        false, false, 17, 19))
        return false;
    serial.SetTimeout(200, 400, 1000);
    return true;
}

} // namespace

int32_t CKaLumencorV2Device::C_Connect() {
    KA_DIAG(true, L"CKaLumencorV2Device::C_Connect - begin");
    if (!m_bSimulator && (!m_pSerial || !OpenPort(*m_pSerial, m_iCOMPort, 115200))) return 1;

    char answer[kLongAnswer];
    auto askModel = [&] {
        int n = QueryIdentity("MODEL", answer, kLongAnswer);
        if (n && StartsWithError(answer)) n = QueryIdentity("MODEL", answer, kLongAnswer);
        return n;
    };
    if (!askModel()) {
        if (m_bSimulator) return 1;
        m_pSerial->ClosePort();
        OpenPort(*m_pSerial, m_iCOMPort, 9600);
        if (!askModel()) {
            m_pSerial->ClosePort();
            return 1;
        }
    }
    CKaStringA value;
    if (!ValueText(answer, "MODEL", value)) {
        if (m_pSerial) m_pSerial->ClosePort();
        return 1;
    }
    m_sModel = CKaStringW(WithoutLineEnd(value));
    m_eModelType = ModelType(value);

    auto identity = [&](const char* keyword) {
        if (!QueryIdentity(keyword, answer, kLongAnswer)) answer[0] = 0;
        if (!ValueText(answer, keyword, value)) value = answer;
        return value;
    };

    identity("VER");
    m_sFirmwareVersion = CKaStringW(WithoutLineEnd(value));
    // An unreadable version counts as 1.0.0, not as the last engine's.
    SFirmware firmware = {1, 0, 0};
    ParseFirmware(value, firmware);
    m_iFirmwareMajor = firmware.major;
    m_iFirmwareMinor = firmware.minor;
    m_iFirmwarePatch = firmware.patch;
    // Decided on every connect: the engine behind the port may have changed.
    m_bWakeUpSupported = firmware.Number() >= kWakeUpFirmware;
    if (m_bWakeUpSupported) C_WakeUp();

    identity("SN");
    m_sSerialNumber = CKaStringW(WithoutLineEnd(value));

    identity("MAXINT");
    m_multiLaser.m_iMaxInt = Number(value);

    identity("CHMAP");
    ParseChannelMap(value);

    KA_DIAG(true, L"CKaLumencorV2Device::C_Connect - end - HRESULT=0x%08x", 0);
    return 0;
}

// Names are separated by spaces; the last one ends at the carriage return.
// Only eight lines exist: further names are not stored.
void CKaLumencorV2Device::ParseChannelMap(const CKaStringA& names) {
    CKaScopedLock dataLock(m_csData);
    SKaLumencorV2Line* lines = m_multiLaser.m_lines;
    for (int i = 0; i < KA_LUMENCOR_MAX_LINES; ++i)
        lines[i].m_iChannel = -1;
    int found = 0;
    size_t position = 0;
    for (;;) {
        long end = names.Find(' ', position);
        if (end < 0) end = names.Find('\r', position);
        if (end < 0) break;
        if (found < KA_LUMENCOR_MAX_LINES) {
            SKaLumencorV2Line& line = lines[found];
            line.m_iChannel = found;
            line.m_sColour = names.Mid(position, static_cast<size_t>(end) - position);
            line.m_sColour.Trim();
            line.m_uWavelength = ColourWavelength(line.m_sColour);
        }
        ++found;
        position = static_cast<size_t>(end) + 1;
    }
    int count = std::min(found, static_cast<int>(KA_LUMENCOR_MAX_LINES));
    m_multiLaser.m_iNumLines = count;
    // Only the mapped lines are ordered; unmapped records stay behind them.
    std::stable_sort(lines, lines + count,
                     [](const SKaLumencorV2Line& a, const SKaLumencorV2Line& b) {
                         return a.m_uWavelength < b.m_uWavelength;
                     });
}

int32_t CKaLumencorV2Device::C_Disconnect() {
    KA_DIAG(true, L"CKaLumencorV2Device::C_Disconnect - begin");
    if (!m_bSimulator && m_pSerial) m_pSerial->ClosePort();
    m_iRefreshCountdown = -1;
    KA_DIAG(true, L"CKaLumencorV2Device::C_Disconnect - end - HRESULT=0x%08x", 0);
    return 0;
}

int32_t CKaLumencorV2Device::C_Refresh() {
    CKaScopedLock refreshLock(m_csRefresh);
    bool logWasOn = m_bLogCommunication.exchange(false);
    if (logWasOn) KA_DIAG(true, L"CKaLumencorV2Device::C_Refresh - begin");
    int32_t awakeBefore = m_iAwake;

    CKaScopedLock dataLock(m_csData);
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
        for (int i = 0; i < 3; ++i) {
            char answer[kLongAnswer];
            int n = SendAndReceive(readouts[i].command, answer, kLongAnswer);
            summary += answer;
            if (i < 2) summary += "; ";
            // An answer without a readable number keeps the stored read-out.
            CKaStringA value;
            int32_t number = 0;
            if (n > 0 && !StartsWithError(answer) &&
                ValueText(answer, readouts[i].keyword, value) && ReadNumber(value, number)) {
                if (number != this->*readouts[i].value) {
                    this->*readouts[i].value = number;
                    m_bReadoutsChanged = true;
                }
            }
        }
    }
    if (m_bValuesChanged || m_bReadoutsChanged) PostToPad(KA_PAD_READOUTS);
    dataLock.Unlock();

    int32_t mode = m_eStandByMode;
    bool keepAwake = m_bWakeUpSupported && (mode == KA_STANDBY_DISABLED ||
                                            (mode == KA_STANDBY_OUTSIDE && m_bInExperiment));
    if (keepAwake) {
        m_bLogCommunication = logWasOn;
        refreshLock.Unlock();
        double now = KA_GetTimeCounter();
        if (now - m_dLastWakeUp > kKeepAwakeMs) {
            char answer[kLongAnswer];
            SendAndReceive("WAKEUP\r", answer, kLongAnswer);
            m_dLastWakeUp = now;
            m_iAwake = 1;
        }
    } else {
        char answer[kShortAnswer];
        SendAndReceive("GET STAT\r", answer, kShortAnswer);
        CKaStringA value;
        if (ValueText(answer, "STAT", value)) m_iAwake = Number(value) == 6 ? 0 : 1;
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

// Wakes the engine and waits, a poll a second and a bounded number of
// polls, until it reports neither stand-by (6) nor waking up (7).
int32_t CKaLumencorV2Device::C_WakeUp() {
    if (m_bLogCommunication) KA_DIAG(true, L"CKaLumencorV2Device::C_WakeUp - begin");
    if (KA_GetTimeCounter() - m_dLastWakeUp < kWakeUpGuardMs) {
        KA_DIAG(true, L"CKaLumencorV2Device::C_WakeUp - end ignore - too close after previous "
                      L"wakeup");
        return 0;
    }
    char answer[kShortAnswer];
    SendAndReceive("WAKEUP\r", answer, kShortAnswer);
    m_dLastWakeUp = KA_GetTimeCounter();
    SendAndReceive("GET STAT\r", answer, kShortAnswer);

    bool awake = true;
    CKaStringA value;
    for (int polls = 0; ValueText(answer, "STAT", value); ++polls) {
        int32_t state = Number(value);
        if (state != 6 && state != 7) break;
        if (polls == kMaxWakeUpPolls) {
            KA_DIAG(false,
                    L"CKaLumencorV2Device::C_WakeUp - engine still in state %d after %d "
                    L"polls",
                    state, polls);
            awake = false;
            break;
        }
        if (state == 6) {
            SendAndReceive("WAKEUP\r", answer, kShortAnswer);
            m_dLastWakeUp = KA_GetTimeCounter();
        }
        KA_Sleep(kStatePollMs, 0);
        SendAndReceive("GET STAT\r", answer, kShortAnswer);
    }
    if (awake && m_iAwake != 1) {
        m_iAwake = 1;
        PostToPad(KA_PAD_AWAKE_OR_SETTINGS);
    }
    if (m_bLogCommunication) KA_DIAG(true, L"CKaLumencorV2Device::C_WakeUp - end");
    return awake ? 0 : 1;
}

int32_t CKaLumencorV2Device::C_SetTTL() {
    if (m_bLogCommunication) KA_DIAG(true, L"CKaLumencorV2Device::C_SetTTL - begin");
    char answer[kShortAnswer];
    if (m_eLumencorControl == KA_CONTROL_NIDAQ)
        SendAndReceive("SET TTLPOL POS\r", answer, kShortAnswer);
    char command[32];
    std::snprintf(
        command, sizeof command, "SET TTLENABLE %d\r",
        m_eLumencorControl == KA_CONTROL_NIDAQ || m_eLumencorControl == KA_CONTROL_VEYRA ? 1 : 0);
    SendAndReceive(command, answer, kShortAnswer);
    if (m_bLogCommunication) KA_DIAG(true, L"CKaLumencorV2Device::C_SetTTL - end");
    return 0;
}

int32_t CKaLumencorV2Device::C_SetComunicationEnabled(bool enabled) {
    KA_DIAG(true, L"CKaLumencorV2Device::C_SetComunicationEnabled(%d) - begin", enabled ? 1 : 0);
    m_bCommunicationEnabled = enabled;
    if (m_pSerial) m_pSerial->SetEnabled(enabled);
    KA_DIAG(true, L"CKaLumencorV2Device::C_SetComunicationEnabled - end - LRESULT=0x%08x", 0);
    return 0;
}
