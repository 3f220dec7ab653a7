// The control interface of the simulated meter.
#include "sim_state.h"

#include <chrono>
#include <cstring>

using namespace tlpmsim;

namespace {

// Runs `change` on the state under its lock.
template <class Edit> void Change(Edit change) {
    const std::lock_guard<std::mutex> hold(Sim().lock);
    change(Sim().state);
}

} // namespace

TLPMSIM_API void TlpmSim_Reset(void) {
    Change([](State& s) { s = State{}; });
}

TLPMSIM_API void TlpmSim_SetMeterCount(uint32_t count) {
    Change([=](State& s) { s.meterCount = count; });
}

TLPMSIM_API void TlpmSim_SetReadings(const double* watts, int32_t count) {
    Change([=](State& s) {
        s.readings.assign(watts, watts + (watts && count > 0 ? count : 0));
        s.readingsTaken = 0;
    });
}

TLPMSIM_API void TlpmSim_SetAvgTime(double seconds) {
    Change([=](State& s) { s.avgTime = seconds; });
}

TLPMSIM_API void TlpmSim_SetReadingDelay(uint32_t milliseconds) {
    Change([=](State& s) { s.readingDelayMs = milliseconds; });
}

TLPMSIM_API void TlpmSim_FailCall(const char* name, int32_t nth, int32_t status) {
    if (!name) return;
    Change([=](State& s) { s.failures.push_back(Failure{name, nth, status}); });
}

TLPMSIM_API void TlpmSim_SetErrorText(const char* text) {
    Change([=](State& s) {
        s.errorTextSet = text != nullptr;
        s.errorText = text ? text : "";
    });
}

TLPMSIM_API int32_t TlpmSim_CallCount(void) {
    const std::lock_guard<std::mutex> hold(Sim().lock);
    return static_cast<int32_t>(Sim().state.calls.size());
}

TLPMSIM_API int32_t TlpmSim_GetCall(int32_t index, TlpmSimCall* call) {
    const std::lock_guard<std::mutex> hold(Sim().lock);
    const auto& calls = Sim().state.calls;
    if (!call || index < 0 || static_cast<size_t>(index) >= calls.size()) return 0;
    *call = calls[static_cast<size_t>(index)];
    return 1;
}

TLPMSIM_API int32_t TlpmSim_WaitForCalls(const char* name, int32_t count, uint32_t timeoutMs) {
    if (!name) return 0;
    std::unique_lock<std::mutex> hold(Sim().lock);
    auto& counts = Sim().state.callCounts;
    const bool reached = Sim().changed.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] {
        const auto found = counts.find(name);
        return found != counts.end() && found->second >= count;
    });
    return reached ? 1 : 0;
}
