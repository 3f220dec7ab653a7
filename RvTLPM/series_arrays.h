// The caller's readings and time-stamp arrays.
#pragma once

#include <cstdint>

namespace rvtlpm {

// The value of a reading not taken (yet).
constexpr double kNotMeasured = -1.0;

// True when `readings` and, if given, `timeStamps` are writable for `count` elements.
bool ArraysWritable(int32_t count, const double* readings, const int64_t* timeStamps);

// Sets readings 0 to count - 1 to kNotMeasured.
void MarkNotMeasured(double* readings, int32_t count);

} // namespace rvtlpm
