#include "series_arrays.h"

#include "rv_memory.h"

#include <algorithm>
#include <cstddef>

namespace rvtlpm {

bool ArraysWritable(int32_t count, const double* readings, const int64_t* timeStamps) {
    if (count <= 0) return false;
    const size_t n = static_cast<size_t>(count);
    return rv::IsWritable(readings, n * sizeof *readings) &&
           (!timeStamps || rv::IsWritable(timeStamps, n * sizeof *timeStamps));
}

void MarkNotMeasured(double* readings, int32_t count) {
    if (count > 0) std::fill_n(readings, count, kNotMeasured);
}

} // namespace rvtlpm
