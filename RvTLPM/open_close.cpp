// Opening and closing the meter.
#include "RvTLPM.h"
#include "background_series.h"
#include "tlpm_driver.h"

#include "rv_args.h"
#include "rv_memory.h"
#include "rv_text.h"

#include <windows.h>

using namespace rvtlpm;

namespace {

constexpr ViReal64 kWavelengthNm = 488.0;
constexpr ViInt16 kSetValue = 0; // averaging-time attribute: the value set, not a limit
constexpr ViBoolean kAutoRangeOn = 1;
constexpr ViInt16 kWatts = 0;

void CloseMeter(uint32_t* meter) {
    if (*meter == 0) return;
    StopSeriesUsing(*meter);
    TLPM_close(*meter);
    *meter = 0;
}

// Searches until a meter is found or the user gives up.
bool MeterFound(bool askToRetry) {
    for (;;) {
        // A failing search says nothing about the count; it counts as none found.
        ViUInt32 count = 0;
        if (TLPM_findRsrc(0, &count) != 0) count = 0;
        if (count > 0) return true;
        if (!askToRetry) return false;
        // A box that cannot be shown (0) ends the search like Cancel.
        if (MessageBoxW(nullptr, L"Thorlabs Power Meter", L"No Power Meter Found",
                        MB_RETRYCANCEL) != IDRETRY)
            return false;
    }
}

// Opens the first meter into `*meter` and applies the fixed settings.
ViStatus OpenFirstMeter(ViSession* meter) {
    ViChar name[kTlpmTextSize] = {};
    ViStatus status = TLPM_getRsrcName(0, 0, name);
    if (status != 0) return status;
    name[kTlpmTextSize - 1] = '\0';
    if ((status = TLPM_init(name, 0, 0, meter)) != 0) return status;
    ViReal64 discarded = 0;
    if ((status = TLPM_measPower(*meter, &discarded)) != 0) return status;
    if ((status = TLPM_setWavelength(*meter, kWavelengthNm)) != 0) return status;
    ViReal64 averaging = 0;
    if ((status = TLPM_getAvgTime(*meter, kSetValue, &averaging)) != 0) return status;
    if ((status = TLPM_setAvgTime(*meter, averaging)) != 0) return status;
    if ((status = TLPM_setCurrentAutoRange(*meter, kAutoRangeOn)) != 0) return status;
    return TLPM_setPowerUnit(*meter, kWatts);
}

void ShowDriverError(ViSession session, ViStatus status) {
    ViChar text[kTlpmTextSize] = {};
    TLPM_errorMessage(session, status, text);
    // The driver's text may fill the buffer; it is cut rather than read past.
    text[kTlpmTextSize - 1] = '\0';
    MessageBoxW(nullptr, L"Thorlabs Power Meter Error", rv::ToWide(text).c_str(), MB_OK);
}

} // namespace

RVTLPM_API int32_t RvTLPM_Open(uint32_t* meter, int32_t showDialogs) {
    return rv::Guarded<int32_t>(RVTLPM_BAD_ARGUMENT, [&]() -> int32_t {
        if (!rv::IsWritable(meter, sizeof *meter)) return RVTLPM_BAD_ARGUMENT;
        CloseMeter(meter);
        if (!MeterFound(showDialogs != 0)) return 0;
        // The meter stays in the caller's handle even when a setting fails,
        // so the caller closes it with RvTLPM_Close.
        const ViStatus status = OpenFirstMeter(meter);
        if (status != 0) ShowDriverError(*meter, status);
        return status;
    });
}

RVTLPM_API int32_t RvTLPM_Close(uint32_t* meter) {
    return rv::Guarded<int32_t>(RVTLPM_BAD_ARGUMENT, [&]() -> int32_t {
        if (!rv::IsWritable(meter, sizeof *meter)) return RVTLPM_BAD_ARGUMENT;
        CloseMeter(meter);
        return 0;
    });
}
