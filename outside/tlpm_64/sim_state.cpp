#include "sim_state.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tlpmsim {

Shared& Sim() {
    static Shared shared;
    return shared;
}

int32_t Enter(const char* name, const std::string& arguments) {
    Shared& sim = Sim();
    const std::lock_guard<std::mutex> hold(sim.lock);
    TlpmSimCall call{};
    std::snprintf(call.text, sizeof call.text, "%s(%s)", name, arguments.c_str());
    call.threadId = GetCurrentThreadId();
    sim.state.calls.push_back(call);
    const int32_t nth = ++sim.state.callCounts[name];
    sim.changed.notify_all();
    for (const Failure& f : sim.state.failures)
        if (f.name == name && f.nth == nth) return f.status;
    return 0;
}

std::string Real(double value) {
    char text[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    return text;
}

} // namespace tlpmsim
