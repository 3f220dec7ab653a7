// RvTLPM as a macro would use it, over the simulated meter of tlpm_64.dll:
// open the meter, take ten readings in this thread and ten in the
// background, print them with their time stamps, close the meter.
#include "RvTLPM.h"
#include "tlpm_sim.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

namespace {

void Step(const char* what) {
    std::printf("\n-- %s\n", what);
}

// A local FILETIME value as hh:mm:ss.mmm.
void PrintStamp(int64_t stamp) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(stamp & 0xFFFFFFFF);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(stamp) >> 32);
    SYSTEMTIME t;
    FileTimeToSystemTime(&ft, &t);
    std::printf("%02u:%02u:%02u.%03u", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

void PrintSeries(const double* readings, const int64_t* stamps, int count) {
    std::printf("   #  local time     since start   power\n");
    for (int j = 0; j < count; ++j) {
        std::printf("  %2d  ", j);
        if (readings[j] == -1.0) {
            std::printf("not measured\n");
            continue;
        }
        PrintStamp(stamps[j]);
        std::printf("  %+6lld ms  %8.3f mW\n",
                    static_cast<long long>((stamps[j] - stamps[0]) / 10000), readings[j] * 1e3);
    }
}

} // namespace

int main() {
    // The simulated meter: a slowly rising light source, 20 ms a reading.
    double watts[40];
    for (int i = 0; i < 40; ++i)
        watts[i] = 2.5e-3 + 0.2e-3 * std::sin(i * 0.3);
    TlpmSim_SetReadings(watts, 40);
    TlpmSim_SetAvgTime(0.02);
    TlpmSim_SetReadingDelay(20);

    Step("Opening the first meter (no dialogs)");
    uint32_t meter = 0;
    int32_t status = RvTLPM_Open(&meter, 0);
    std::printf("RvTLPM_Open = %d, meter handle %u; the driver was called with:\n", status, meter);
    TlpmSimCall call;
    for (int i = 0; TlpmSim_GetCall(i, &call); ++i)
        std::printf("  %s\n", call.text);
    if (status != 0 || meter == 0) return 1;

    Step("Ten readings in the caller's thread");
    double readings[10];
    int64_t stamps[10];
    status = RvTLPM_Measure(meter, 10, readings, stamps);
    std::printf("RvTLPM_Measure = %d\n", status);
    PrintSeries(readings, stamps, 10);

    Step("Ten readings in the background while this thread watches them arrive");
    status = RvTLPM_StartMeasure(meter, 10, readings, stamps);
    std::printf("RvTLPM_StartMeasure = %d, returned with reading 0 = %.1f\n", status, readings[0]);
    std::printf("readings arrived:");
    // The macro's thread is free meanwhile; here it only counts what has arrived.
    int arrived = 0;
    while (arrived < 10) {
        const int before = arrived;
        while (arrived < 10 && readings[arrived] != -1.0)
            ++arrived;
        if (arrived != before) std::printf(" %d", arrived);
        Sleep(1);
    }
    std::printf("\nall ten arrived; RvTLPM_StopMeasure = %d\n", RvTLPM_StopMeasure());
    PrintSeries(readings, stamps, 10);

    Step("A long series stopped after a moment");
    double many[100];
    int64_t manyStamps[100];
    RvTLPM_StartMeasure(meter, 100, many, manyStamps);
    Sleep(110);
    std::printf("RvTLPM_StopMeasure = %d; readings taken:", RvTLPM_StopMeasure());
    int taken = 0;
    while (taken < 100 && many[taken] != -1.0)
        ++taken;
    std::printf(" %d of 100, the rest stay -1.0\n", taken);

    Step("Closing");
    status = RvTLPM_Close(&meter);
    std::printf("RvTLPM_Close = %d, meter handle %u\n", status, meter);
    return 0;
}
