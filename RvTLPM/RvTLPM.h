// RvTLPM: a Thorlabs optical power meter for macros. Opens the first meter
// found with fixed settings and takes series of time-stamped readings, in the
// caller's thread or in one background thread. Every export is a plain C
// function listed in RvTLPM.def and returns 0 or the driver's failing status.
#pragma once

#include <cstdint>

#define RVTLPM_API extern "C"

// Returned for an argument that cannot be read or written.
#define RVTLPM_BAD_ARGUMENT (-1)

// `meter` is the address of the caller's meter handle (0: none open).
// A non-zero `showDialogs` asks the user to retry when no meter is found.
RVTLPM_API int32_t RvTLPM_Open(uint32_t* meter, int32_t showDialogs);

// Takes `count` readings in watts into `readings`; `timeStamps` (may be null)
// gets local FILETIME values with millisecond resolution. Readings not taken
// hold -1.0.
RVTLPM_API int32_t RvTLPM_Measure(uint32_t meter, int32_t count, double* readings,
                                  int64_t* timeStamps);

// As RvTLPM_Measure, in a background thread; returns once that thread runs.
// The arrays must stay alive until the series ends or RvTLPM_StopMeasure returns.
RVTLPM_API int32_t RvTLPM_StartMeasure(uint32_t meter, int32_t count, double* readings,
                                       int64_t* timeStamps);

// Stops the background series, if any, and waits until it has stopped.
RVTLPM_API int32_t RvTLPM_StopMeasure(void);

// Closes the meter when `*meter` is non-zero and sets it to 0.
RVTLPM_API int32_t RvTLPM_Close(uint32_t* meter);
