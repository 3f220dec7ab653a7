// The simulated light engine: answers the last command from a fixed table,
// the simulator's model and channel map, and the device's own line records
// and shutter state.
#include "LumencorV2Device.h"
#include "ScopedLock.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Formatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char text[64];
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

} // namespace

int32_t CKaLumencorV2Device::SimulatedIntensity(double power) const {
    return m_multiLaser.Intensity(power);
}

std::string CKaLumencorV2Device::SimulatedAnswer() {
    const char* command = m_sLastCommand.GetString();
    auto is = [command](const char* text) { return std::strcmp(command, text) == 0; };
    auto has = [command](const char* text) { return std::strstr(command, text) != nullptr; };

    if (is("GET MODEL\r")) return "A MODEL " + std::string(m_sSimulatorModel.GetString()) + "\r";
    if (is("GET VER\r")) return "A VER 2.1.19\r";
    if (is("GET STAT\r")) return "A STAT 0\r";
    if (is("WAKEUP\r")) return "A WAKEUP\r";
    if (is("GET SN\r")) return "A SN 12306\r";
    if (is("GET MAXINT\r")) return "A MAXINT 4095\r";
    if (is("GET CHMAP\r"))
        return "A CHMAP " + std::string(m_sSimulatorChannelMap.GetString()) + "\r";
    if (has("SET TTLPOL")) return "A TTLPOL\r";
    if (has("SET TTLENABLE")) return "A TTLENABLE\r";
    if (has("SET CHINT")) return "A CHINT\r";
    if (has("SET MULCH")) return "A MULCH\r";
    if (has("SET CH")) return "A CH\r";

    bool mulch = is("GET MULCH\r");
    if (mulch || is("GET MULCHINT\r")) {
        // The records are sorted by wavelength: the answer goes by channel.
        CKaScopedLock dataLock(m_csData);
        std::string answer = mulch ? "A MULCH" : "A MULCHINT";
        const int count = m_multiLaser.m_iNumLines;
        for (int channel = 0; channel < count; ++channel) {
            const SKaLumencorV2Line* line = nullptr;
            for (int i = 0; i < count && i < KA_LUMENCOR_MAX_LINES; ++i)
                if (m_multiLaser.m_lines[i].m_iChannel == channel) line = &m_multiLaser.m_lines[i];
            if (mulch)
                answer += line && line->m_bUsed && m_shutter.m_bOpen ? " 1" : " 0";
            else
                answer += Formatted(" %d", line ? SimulatedIntensity(line->m_dPower) : 0);
        }
        return answer + "\r";
    }

    if (is("GET TEMP\r")) return Formatted("A TEMP %d", 25 + std::rand() % 10);
    if (is("GET SUPPLYCURRENT\r"))
        return Formatted("A SUPPLYCURRENT %0.1f", 400.0 + (std::rand() % 70000) / 10.0);
    if (is("GET SUPPLYPOWER\r"))
        return Formatted("A SUPPLYPOWER %0.1f", 5.0 + (std::rand() % 2000) / 10.0);
    return std::string();
}

// The answer is cut to size - 1 characters and terminated inside the buffer.
int32_t CKaLumencorV2Device::SimulatedReceive(char* buffer, int size) {
    if (size <= 0) return 0;
    std::string answer = SimulatedAnswer();
    size_t count = std::min(answer.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, answer.data(), count);
    buffer[count] = 0;
    return static_cast<int32_t>(count);
}
