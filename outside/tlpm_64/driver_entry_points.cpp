// The driver's entry points, answered by the simulated meters.
#include "sim_state.h"
#include "tlpm_driver.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace tlpmsim;

namespace {

const char kNamePrefix[] = "SIM::PM::";

std::string Args(ViSession session) {
    return std::to_string(session);
}

template <class T> std::string Args(ViSession session, T value) {
    return std::to_string(session) + ", " + value;
}

bool IsOpen(ViSession session) {
    const std::lock_guard<std::mutex> hold(Sim().lock);
    return Sim().state.sessions.count(session) != 0;
}

} // namespace

TLPM_FUNC ViStatus TLPM_findRsrc(ViSession session, ViUInt32* count) {
    const ViStatus failed = Enter("TLPM_findRsrc", Args(session));
    const std::lock_guard<std::mutex> hold(Sim().lock);
    *count = failed ? 1 : Sim().state.meterCount;
    return failed;
}

TLPM_FUNC ViStatus TLPM_getRsrcName(ViSession session, ViUInt32 index, ViChar* name) {
    if (const ViStatus failed = Enter("TLPM_getRsrcName", Args(session, std::to_string(index))))
        return failed;
    const std::lock_guard<std::mutex> hold(Sim().lock);
    if (index >= Sim().state.meterCount) return TLPMSIM_NO_SUCH_METER;
    std::snprintf(name, 256, "%s%u", kNamePrefix, static_cast<unsigned>(index));
    return 0;
}

TLPM_FUNC ViStatus TLPM_init(ViChar* resource, ViBoolean idQuery, ViBoolean reset,
                             ViSession* session) {
    const std::string text = std::string("\"") + resource + "\", " + std::to_string(idQuery) +
                             ", " + std::to_string(reset);
    if (const ViStatus failed = Enter("TLPM_init", text)) return failed;
    const std::lock_guard<std::mutex> hold(Sim().lock);
    State& s = Sim().state;
    const size_t prefix = sizeof kNamePrefix - 1;
    if (std::strncmp(resource, kNamePrefix, prefix) != 0 ||
        std::strtoul(resource + prefix, nullptr, 10) >= s.meterCount)
        return TLPMSIM_NO_SUCH_METER;
    *session = s.nextSession++;
    s.sessions.insert(*session);
    return 0;
}

TLPM_FUNC ViStatus TLPM_measPower(ViSession session, ViReal64* power) {
    const ViStatus failed = Enter("TLPM_measPower", Args(session));
    uint32_t delay;
    {
        const std::lock_guard<std::mutex> hold(Sim().lock);
        delay = Sim().state.readingDelayMs;
    }
    // The averaging time of a real meter, failing or not; without holding the lock.
    if (delay) Sleep(delay);
    if (failed) {
        *power = 0.0;
        return failed;
    }
    if (!IsOpen(session)) return TLPMSIM_NO_SUCH_SESSION;
    const std::lock_guard<std::mutex> hold(Sim().lock);
    State& s = Sim().state;
    const uint64_t k = s.readingsTaken++;
    *power = s.readings.empty() ? 1.0e-3 + 1.0e-5 * static_cast<double>(k)
                                : s.readings[k % s.readings.size()];
    return 0;
}

TLPM_FUNC ViStatus TLPM_setWavelength(ViSession session, ViReal64 wavelength) {
    if (const ViStatus failed = Enter("TLPM_setWavelength", Args(session, Real(wavelength))))
        return failed;
    return IsOpen(session) ? 0 : TLPMSIM_NO_SUCH_SESSION;
}

TLPM_FUNC ViStatus TLPM_getAvgTime(ViSession session, ViInt16 attribute, ViReal64* seconds) {
    if (const ViStatus failed = Enter("TLPM_getAvgTime", Args(session, std::to_string(attribute))))
        return failed;
    if (!IsOpen(session)) return TLPMSIM_NO_SUCH_SESSION;
    const std::lock_guard<std::mutex> hold(Sim().lock);
    *seconds = Sim().state.avgTime;
    return 0;
}

TLPM_FUNC ViStatus TLPM_setAvgTime(ViSession session, ViReal64 seconds) {
    if (const ViStatus failed = Enter("TLPM_setAvgTime", Args(session, Real(seconds))))
        return failed;
    if (!IsOpen(session)) return TLPMSIM_NO_SUCH_SESSION;
    const std::lock_guard<std::mutex> hold(Sim().lock);
    Sim().state.avgTime = seconds;
    return 0;
}

TLPM_FUNC ViStatus TLPM_setCurrentAutoRange(ViSession session, ViBoolean on) {
    if (const ViStatus failed =
            Enter("TLPM_setCurrentAutoRange", Args(session, std::to_string(on))))
        return failed;
    return IsOpen(session) ? 0 : TLPMSIM_NO_SUCH_SESSION;
}

TLPM_FUNC ViStatus TLPM_setPowerUnit(ViSession session, ViInt16 unit) {
    if (const ViStatus failed = Enter("TLPM_setPowerUnit", Args(session, std::to_string(unit))))
        return failed;
    return IsOpen(session) ? 0 : TLPMSIM_NO_SUCH_SESSION;
}

TLPM_FUNC ViStatus TLPM_errorMessage(ViSession session, ViStatus status, ViChar* text) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(status));
    if (const ViStatus failed = Enter("TLPM_errorMessage", Args(session, std::string(code))))
        return failed;
    const std::lock_guard<std::mutex> hold(Sim().lock);
    const State& s = Sim().state;
    if (s.errorTextSet) {
        // As a driver that fills the whole buffer would: no terminator when it is full.
        const size_t n =
            s.errorText.size() < kTlpmTextSize ? s.errorText.size() + 1 : kTlpmTextSize;
        std::memcpy(text, s.errorText.c_str(), n);
    } else {
        std::snprintf(text, kTlpmTextSize, "Simulated meter status %s", code);
    }
    return 0;
}

TLPM_FUNC ViStatus TLPM_close(ViSession session) {
    if (const ViStatus failed = Enter("TLPM_close", Args(session))) return failed;
    const std::lock_guard<std::mutex> hold(Sim().lock);
    return Sim().state.sessions.erase(session) ? 0 : TLPMSIM_NO_SUCH_SESSION;
}
