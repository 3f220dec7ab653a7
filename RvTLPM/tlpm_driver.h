// The entry points of the Thorlabs power-meter driver (tlpm_64.dll) that
// RvTLPM calls, in the driver's public C shapes. The import library is made
// from tlpm_64.def beside this file.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int32_t ViStatus;   // 0 is success
typedef uint32_t ViSession; // 0 is "no session" and addresses the driver itself
typedef uint32_t ViUInt32;
typedef char ViChar;
typedef double ViReal64;
typedef uint16_t ViBoolean;
typedef int16_t ViInt16;

#define TLPM_FUNC extern "C"

// Size of the text buffers the driver fills (resource names, error texts).
constexpr size_t kTlpmTextSize = 4096;

TLPM_FUNC ViStatus TLPM_findRsrc(ViSession session, ViUInt32* count);
TLPM_FUNC ViStatus TLPM_getRsrcName(ViSession session, ViUInt32 index, ViChar* name);
TLPM_FUNC ViStatus TLPM_init(ViChar* resource, ViBoolean idQuery, ViBoolean reset,
                             ViSession* session);
TLPM_FUNC ViStatus TLPM_measPower(ViSession session, ViReal64* power);
TLPM_FUNC ViStatus TLPM_setWavelength(ViSession session, ViReal64 wavelength);
TLPM_FUNC ViStatus TLPM_getAvgTime(ViSession session, ViInt16 attribute, ViReal64* seconds);
TLPM_FUNC ViStatus TLPM_setAvgTime(ViSession session, ViReal64 seconds);
TLPM_FUNC ViStatus TLPM_setCurrentAutoRange(ViSession session, ViBoolean on);
TLPM_FUNC ViStatus TLPM_setPowerUnit(ViSession session, ViInt16 unit);
TLPM_FUNC ViStatus TLPM_errorMessage(ViSession session, ViStatus status, ViChar* text);
TLPM_FUNC ViStatus TLPM_close(ViSession session);
