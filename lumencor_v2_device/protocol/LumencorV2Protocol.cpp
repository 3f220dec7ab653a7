// The commands of the engine protocol that set up and take down the link:
// sending and receiving, identity and channel map, TTL set-up, and switching
// the link on and off. All of them run on the worker thread.
#include "LumencorV2Protocol.h"

#include "LumencorV2Answers.h"
#include "LumencorV2Device.h"
#include "LumencorV2Log.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace lumencor;

int32_t CKaLumencorV2Device::CommandSend(const char* command, int length) {
    if (m_bLogCommunication)
        KA_DIAG(true, L"CKaLumencorV2Device::CommandSend %ls",
                CKaStringW(CKaStringA(command)).GetString());
    return m_pTransport->Send(command, length) ? 0 : 1;
}

// The answer is always terminated inside the buffer: at most size - 1
// characters are read.
int32_t CKaLumencorV2Device::Receive(char* buffer, int size, int attempts) {
    if (size <= 0) return 0;
    const int count = m_pTransport->Receive(buffer, size, attempts);
    // Simulated answers are not logged; the command was, by CommandSend.
    if (m_bLogCommunication && m_pTransport->LogsAnswers())
        KA_DIAG(true, L"CKaLumencorV2Device::Receive %ls",
                CKaStringW(CKaStringA(buffer)).GetString());
    return count;
}

SKaLumencorV2Answer CKaLumencorV2Device::Exchange(const char* command, int size) {
    SKaLumencorV2Answer answer;
    const int limit = std::min(size, static_cast<int>(sizeof answer.text));
    CommandSend(command, static_cast<int>(std::strlen(command)));
    answer.count = Receive(answer.text, limit, kReceiveAttempts);
    return answer;
}

bool CKaLumencorV2Device::QueryIdentity(const char* keyword, SKaLumencorV2Answer& answer) {
    char command[32];
    std::snprintf(command, sizeof command, "GET %s\r", keyword);
    answer = Exchange(command, kLongAnswer);
    return answer.Received();
}

// An error answer to the model is asked once more.
bool CKaLumencorV2Device::AskModel(SKaLumencorV2Answer& answer) {
    if (QueryIdentity("MODEL", answer) && answer.IsError()) QueryIdentity("MODEL", answer);
    return answer.Received();
}

int32_t CKaLumencorV2Device::C_Connect() {
    KA_DIAG(true, L"CKaLumencorV2Device::C_Connect - begin");
    IKaLumencorV2Transport& link = *m_pTransport;
    if (!link.Open(m_iCOMPort, kBaudRate)) return 1;

    SKaLumencorV2Answer answer;
    if (!AskModel(answer)) {
        if (!link.HasBaudRates()) return 1;
        link.Close();
        link.Open(m_iCOMPort, kFallbackBaudRate);
        if (!AskModel(answer)) {
            link.Close();
            return 1;
        }
    }
    CKaStringA value;
    if (!ValueText(answer.text, "MODEL", value)) {
        link.Close();
        return 1;
    }
    m_sModel = CKaStringW(WithoutLineEnd(value));
    m_eModelType = ModelType(value);

    // Without the key word the whole answer is the value.
    auto identity = [&](const char* keyword) {
        if (!QueryIdentity(keyword, answer)) answer.text[0] = 0;
        if (!ValueText(answer.text, keyword, value)) value = answer.text;
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
    m_multiLaser.SetMaxInt(Number(value));

    identity("CHMAP");
    ParseChannelMap(value);

    KA_DIAG(true, L"CKaLumencorV2Device::C_Connect - end - HRESULT=0x%08x", 0);
    return 0;
}

// Names are separated by spaces; the last one ends at the carriage return.
// Only eight lines exist: further names are not stored.
void CKaLumencorV2Device::ParseChannelMap(const CKaStringA& names) {
    SKaLumencorV2Channel lines[KA_LUMENCOR_MAX_LINES];
    int found = 0;
    size_t position = 0;
    for (;;) {
        long end = names.Find(' ', position);
        if (end < 0) end = names.Find(kLineEnd, position);
        if (end < 0) break;
        if (found < KA_LUMENCOR_MAX_LINES) {
            SKaLumencorV2Channel& line = lines[found];
            line.colour = names.Mid(position, static_cast<size_t>(end) - position);
            line.colour.Trim();
            line.wavelength = ColourWavelength(line.colour);
        }
        ++found;
        position = static_cast<size_t>(end) + 1;
    }
    m_multiLaser.SetChannelMap(lines, std::min(found, static_cast<int>(KA_LUMENCOR_MAX_LINES)));
}

int32_t CKaLumencorV2Device::C_Disconnect() {
    KA_DIAG(true, L"CKaLumencorV2Device::C_Disconnect - begin");
    m_pTransport->Close();
    m_iRefreshCountdown = kNoRefresh;
    KA_DIAG(true, L"CKaLumencorV2Device::C_Disconnect - end - HRESULT=0x%08x", 0);
    return 0;
}

int32_t CKaLumencorV2Device::C_SetTTL() {
    if (m_bLogCommunication) KA_DIAG(true, L"CKaLumencorV2Device::C_SetTTL - begin");
    const int32_t control = m_eLumencorControl;
    if (control == KA_CONTROL_NIDAQ) Exchange("SET TTLPOL POS\r", kShortAnswer);
    char command[32];
    std::snprintf(command, sizeof command, "SET TTLENABLE %d\r",
                  control == KA_CONTROL_NIDAQ || control == KA_CONTROL_VEYRA ? 1 : 0);
    Exchange(command, kShortAnswer);
    if (m_bLogCommunication) KA_DIAG(true, L"CKaLumencorV2Device::C_SetTTL - end");
    return 0;
}

int32_t CKaLumencorV2Device::C_SetComunicationEnabled(bool enabled) {
    KA_DIAG(true, L"CKaLumencorV2Device::C_SetComunicationEnabled(%d) - begin", enabled ? 1 : 0);
    m_bCommunicationEnabled = enabled;
    m_pTransport->SetEnabled(enabled);
    KA_DIAG(true, L"CKaLumencorV2Device::C_SetComunicationEnabled - end - LRESULT=0x%08x", 0);
    return 0;
}
