// The simulated meters' settings and the record of calls, shared by the
// driver entry points (any thread) and the control interface.
#pragma once

#include "tlpm_sim.h"

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace tlpmsim {

struct Failure {
    std::string name;
    int32_t nth;
    int32_t status;
};

struct State {
    uint32_t meterCount = 1;
    std::vector<double> readings;
    uint64_t readingsTaken = 0;
    double avgTime = 0.1;
    uint32_t readingDelayMs = 0;
    std::vector<Failure> failures;
    bool errorTextSet = false;
    std::string errorText;
    std::set<uint32_t> sessions;
    uint32_t nextSession = 1001;
    std::map<std::string, int32_t> callCounts;
    std::vector<TlpmSimCall> calls;
};

// The state under its lock; `changed` is notified with every recorded call.
struct Shared {
    std::mutex lock;
    std::condition_variable changed;
    State state;
};

Shared& Sim();

// Records the call `name` with its formatted arguments and returns the
// injected failure status for it, or 0. Takes the lock itself.
int32_t Enter(const char* name, const std::string& arguments);

// Shortest decimal text that reads back as the same double.
std::string Real(double value);

} // namespace tlpmsim
