// A simulated power meter in place of the Thorlabs driver tlpm_64.dll. It
// exports the driver entry points RvTLPM uses and a control interface through
// which tests and demonstrations set up the meters and read back every call.
#pragma once

#include <cstdint>

#define TLPMSIM_API extern "C"

// Statuses of the simulated driver itself (injected failures use their own).
#define TLPMSIM_NO_SUCH_SESSION ((int32_t)0xBFFF000E)
#define TLPMSIM_NO_SUCH_METER ((int32_t)0xBFFF0011)

// One call as the driver received it, e.g. "TLPM_setWavelength(1001, 488)":
// name and input arguments; texts in double quotes.
struct TlpmSimCall {
    char text[256];
    uint32_t threadId; // the thread that made the call
};

// Back to one meter, the default readings, 0.1 s averaging, no failures, no
// delay, no open sessions and an empty record.
TLPMSIM_API void TlpmSim_Reset(void);
// Meters found by the search, named "SIM::PM::0", "SIM::PM::1", ...
TLPMSIM_API void TlpmSim_SetMeterCount(uint32_t count);
// Readings in watts, returned in turn and repeated; none given: 1 mW plus
// 10 uW for each reading taken since the reset.
TLPMSIM_API void TlpmSim_SetReadings(const double* watts, int32_t count);
TLPMSIM_API void TlpmSim_SetAvgTime(double seconds);
// Time each reading takes, failing or not.
TLPMSIM_API void TlpmSim_SetReadingDelay(uint32_t milliseconds);
// The nth call (from 1, counted since the reset) of the named entry point
// fails with `status` and has no other effect, except that a failing
// TLPM_findRsrc still reports one meter and a failing TLPM_measPower 0 W:
// outputs of a failed call are not to be trusted.
TLPMSIM_API void TlpmSim_FailCall(const char* name, int32_t nth, int32_t status);
// Replaces the text of TLPM_errorMessage; copied as the driver would, up to
// the 4096-byte buffer and unterminated when it fills it.
TLPMSIM_API void TlpmSim_SetErrorText(const char* text);

// The record of calls, in order.
TLPMSIM_API int32_t TlpmSim_CallCount(void);
TLPMSIM_API int32_t TlpmSim_GetCall(int32_t index, TlpmSimCall* call);
// Waits until `count` calls of the named entry point have begun; 1 when they
// have, 0 after `timeoutMs`.
TLPMSIM_API int32_t TlpmSim_WaitForCalls(const char* name, int32_t count, uint32_t timeoutMs);
