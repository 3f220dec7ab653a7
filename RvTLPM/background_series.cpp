// Background readings. The caller and the measuring thread hand over through
// one state value, polled every millisecond:
//   0 idle -> 1 starting (caller) -> 2 measuring (thread)
//   -> 3 stop requested (caller) -> 4 finished (thread) -> 0 (caller).
// The thread writes 4 whenever it ends; the caller moves 4 to 0 and asks for
// a stop only by exchanging 1 or 2 for 3, so a series that finishes just as
// it is stopped cannot leave the caller waiting for a 4 that was overwritten.
#include "RvTLPM.h"
#include "background_series.h"
#include "series_arrays.h"
#include "series_clock.h"

#include "rv_args.h"
#include "rv_memory.h"

#include <windows.h>

#include <atomic>
#include <mutex>

namespace rvtlpm {
namespace {

enum : int32_t {
    kIdle = 0,
    kStarting = 1,
    kMeasuring = 2,
    kStopRequested = 3,
    kFinished = 4,
};

struct Series {
    ViSession session;
    int32_t count;
    double* readings;
    int64_t* timeStamps;
    HMODULE module; // held by the thread so the library stays loaded while it runs
};

std::atomic<int32_t> g_state{kIdle};
// Written by the caller only while no thread reads it.
Series g_series{};
// Callers of the exports drive the handshake one at a time.
std::mutex g_control;

void WaitWhileState(int32_t state) {
    while (g_state.load() == state)
        Sleep(1);
}

// Ends the series, if any, and leaves the state idle. Called with g_control held.
void StopAndSettle() {
    int32_t state = g_state.load();
    for (;;) {
        if (state == kIdle) return;
        if (state == kFinished) {
            g_state.store(kIdle);
            return;
        }
        if (g_state.compare_exchange_weak(state, kStopRequested)) break;
    }
    // A reading in progress completes before the thread sees the request.
    while (g_state.load() != kFinished)
        Sleep(1);
    g_state.store(kIdle);
}

DWORD WINAPI MeasuringThread(void*) {
    // The record is the thread's own from here; the caller waits until we leave "starting".
    const Series series = g_series;
    int32_t starting = kStarting;
    g_state.compare_exchange_strong(starting, kMeasuring);
    const SeriesClock clock;
    DWORD exitCode = 0;
    for (int32_t j = 0; j < series.count && g_state.load() == kMeasuring; ++j) {
        ViReal64 power = kNotMeasured;
        const ViStatus status = TLPM_measPower(series.session, &power);
        if (status != 0) {
            exitCode = static_cast<DWORD>(status);
            break;
        }
        // The arrays belong to the macro; one that has been released ends the series.
        if (!rv::IsWritable(&series.readings[j], sizeof(double)) ||
            (series.timeStamps && !rv::IsWritable(&series.timeStamps[j], sizeof(int64_t))))
            break;
        series.readings[j] = power;
        if (series.timeStamps) series.timeStamps[j] = clock.Stamp();
    }
    g_state.store(kFinished);
    FreeLibraryAndExitThread(series.module, exitCode);
}

int32_t Start(ViSession session, int32_t count, double* readings, int64_t* timeStamps) {
    const std::lock_guard<std::mutex> lock(g_control);
    StopAndSettle();
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&MeasuringThread), &module))
        return RVTLPM_BAD_ARGUMENT;
    g_series = Series{session, count, readings, timeStamps, module};
    MarkNotMeasured(readings, count);
    g_state.store(kStarting);
    HANDLE thread = CreateThread(nullptr, 0, MeasuringThread, nullptr, 0, nullptr);
    if (!thread) {
        g_state.store(kIdle);
        FreeLibrary(module);
        return RVTLPM_BAD_ARGUMENT;
    }
    CloseHandle(thread);
    WaitWhileState(kStarting);
    return 0;
}

} // namespace

void StopSeriesUsing(ViSession session) {
    const std::lock_guard<std::mutex> lock(g_control);
    if (g_state.load() != kIdle && g_series.session == session) StopAndSettle();
}

} // namespace rvtlpm

using namespace rvtlpm;

RVTLPM_API int32_t RvTLPM_StartMeasure(uint32_t meter, int32_t count, double* readings,
                                       int64_t* timeStamps) {
    return rv::Guarded<int32_t>(RVTLPM_BAD_ARGUMENT, [&]() -> int32_t {
        if (count > 0 && !ArraysWritable(count, readings, timeStamps)) return RVTLPM_BAD_ARGUMENT;
        return Start(meter, count, readings, timeStamps);
    });
}

RVTLPM_API int32_t RvTLPM_StopMeasure(void) {
    return rv::Guarded<int32_t>(RVTLPM_BAD_ARGUMENT, [] {
        const std::lock_guard<std::mutex> lock(g_control);
        StopAndSettle();
        return 0;
    });
}
