// A call that holds the worker thread until the test lets it go.
#pragma once

#include <windows.h>

#include <cstdint>

struct Gate {
    static const DWORD kLongestHoldMs = 30000;
    HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Gate() = default;
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;
    ~Gate() {
        CloseHandle(entered);
        CloseHandle(release);
    }
};

// Runs on the worker: signals that it started, waits until released, and
// returns `result`.
inline int32_t Blocking(uint64_t gate, uint64_t result, uint64_t) {
    auto* g = reinterpret_cast<Gate*>(gate);
    SetEvent(g->entered);
    WaitForSingleObject(g->release, Gate::kLongestHoldMs);
    return static_cast<int32_t>(result);
}
