// The one background series of readings of the process.
#pragma once

#include "tlpm_driver.h"

namespace rvtlpm {

// Stops the background series when it reads from `session`, so the session
// can be closed under it.
void StopSeriesUsing(ViSession session);

} // namespace rvtlpm
