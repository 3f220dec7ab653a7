#include "LumencorV2Simulator.h"

#include "LumencorV2Device.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string Formatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char text[64];
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// The simulated read-outs: a base value and a random spread.
const int kTempBase = 25, kTempSpread = 10;
const double kCurrentBase = 400.0, kPowerBase = 5.0;
const int kCurrentSpread = 70000, kPowerSpread = 2000;
const double kTenths = 10.0;

} // namespace

void CKaLumencorV2Simulator::SetEngine(const CKaStringA& model, const CKaStringA& channelMap) {
    m_sModel = model;
    m_sChannelMap = channelMap;
}

bool CKaLumencorV2Simulator::Send(const char* command, int length) {
    m_sLastCommand = CKaStringA(command, static_cast<size_t>(length));
    return true;
}

int CKaLumencorV2Simulator::Receive(char* buffer, int size, int) {
    if (size <= 0) return 0;
    const std::string answer = Answer();
    const size_t count = std::min(answer.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, answer.data(), count);
    buffer[count] = 0;
    return static_cast<int>(count);
}

// The records are sorted by wavelength: the answer goes by channel.
std::string CKaLumencorV2Simulator::LinesAnswer(bool switches) {
    const SKaLumencorV2ChannelState lines = m_device.MultiLaser().ChannelState();
    std::string answer = switches ? "A MULCH" : "A MULCHINT";
    for (int channel = 0; channel < lines.count; ++channel)
        answer += switches ? (lines.lit[channel] ? " 1" : " 0")
                           : Formatted(" %d", lines.intensity[channel]);
    return answer + "\r";
}

std::string CKaLumencorV2Simulator::Answer() {
    const char* command = m_sLastCommand.GetString();
    auto is = [command](const char* text) { return std::strcmp(command, text) == 0; };
    auto has = [command](const char* text) { return std::strstr(command, text) != nullptr; };

    if (is("GET MODEL\r")) return "A MODEL " + std::string(m_sModel.GetString()) + "\r";
    if (is("GET VER\r")) return "A VER 2.1.19\r";
    if (is("GET STAT\r")) return "A STAT 0\r";
    if (is("WAKEUP\r")) return "A WAKEUP\r";
    if (is("GET SN\r")) return "A SN 12306\r";
    if (is("GET MAXINT\r")) return "A MAXINT 4095\r";
    if (is("GET CHMAP\r")) return "A CHMAP " + std::string(m_sChannelMap.GetString()) + "\r";
    if (has("SET TTLPOL")) return "A TTLPOL\r";
    if (has("SET TTLENABLE")) return "A TTLENABLE\r";
    if (has("SET CHINT")) return "A CHINT\r";
    if (has("SET MULCH")) return "A MULCH\r";
    if (has("SET CH")) return "A CH\r";
    if (is("GET MULCH\r")) return LinesAnswer(true);
    if (is("GET MULCHINT\r")) return LinesAnswer(false);
    if (is("GET TEMP\r")) return Formatted("A TEMP %d", kTempBase + std::rand() % kTempSpread);
    if (is("GET SUPPLYCURRENT\r"))
        return Formatted("A SUPPLYCURRENT %0.1f",
                         kCurrentBase + (std::rand() % kCurrentSpread) / kTenths);
    if (is("GET SUPPLYPOWER\r"))
        return Formatted("A SUPPLYPOWER %0.1f",
                         kPowerBase + (std::rand() % kPowerSpread) / kTenths);
    return std::string();
}
