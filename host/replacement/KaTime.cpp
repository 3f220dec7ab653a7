#include "KaSystem.h"
#include "KaHostHooks.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex g_clockLock;
bool g_driven = false;
double g_drivenMs = 0.0;

double RealMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

} // namespace

double KA_GetTimeCounter() {
    std::lock_guard<std::mutex> guard(g_clockLock);
    return g_driven ? g_drivenMs : RealMs();
}

void KA_DriveTimeCounter(bool driven, double startMs) {
    std::lock_guard<std::mutex> guard(g_clockLock);
    g_driven = driven;
    g_drivenMs = startMs;
}

void KA_AdvanceTimeCounter(double ms) {
    std::lock_guard<std::mutex> guard(g_clockLock);
    // Never backwards: the counter is monotonic for its readers.
    if (ms > 0) g_drivenMs += ms;
}

bool KA_IsTimeCounterDriven() {
    std::lock_guard<std::mutex> guard(g_clockLock);
    return g_driven;
}

void KA_Sleep(double ms, int) {
    if (ms <= 0) return;
    {
        std::lock_guard<std::mutex> guard(g_clockLock);
        if (g_driven) {
            g_drivenMs += ms;
            return;
        }
    }
    Sleep(static_cast<DWORD>(ms + 0.5));
}
