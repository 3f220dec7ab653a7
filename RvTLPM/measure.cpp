// Readings in the caller's thread.
#include "RvTLPM.h"
#include "series_arrays.h"
#include "series_clock.h"
#include "tlpm_driver.h"

#include "rv_args.h"

using namespace rvtlpm;

RVTLPM_API int32_t RvTLPM_Measure(uint32_t meter, int32_t count, double* readings,
                                  int64_t* timeStamps) {
    return rv::Guarded<int32_t>(RVTLPM_BAD_ARGUMENT, [&]() -> int32_t {
        if (count <= 0) return 0;
        if (!ArraysWritable(count, readings, timeStamps)) return RVTLPM_BAD_ARGUMENT;
        MarkNotMeasured(readings, count);
        const SeriesClock clock;
        for (int32_t j = 0; j < count; ++j) {
            // Read into a local so a failing call cannot leave a value the
            // caller would take for a reading.
            ViReal64 power = kNotMeasured;
            const ViStatus status = TLPM_measPower(meter, &power);
            if (status != 0) return status;
            readings[j] = power;
            if (timeStamps) timeStamps[j] = clock.Stamp();
        }
        return 0;
    });
}
