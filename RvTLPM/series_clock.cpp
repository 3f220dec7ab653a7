#include "series_clock.h"

#include <windows.h>

namespace rvtlpm {
namespace {

constexpr int64_t kFileTimeUnitsPerMs = 10000;

int64_t Count() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

} // namespace

// The elapsed time comes from the performance counter rather than the tick
// counter: ticks advance in steps of 10 to 16 ms, which would give readings
// taken milliseconds apart the same stamp.
SeriesClock::SeriesClock() : start_(0), startCount_(Count()), countsPerSecond_(1) {
    LARGE_INTEGER frequency;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
        countsPerSecond_ = frequency.QuadPart;
    // Taken through SYSTEMTIME so the start is a whole millisecond, like every step after it.
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME start;
    if (SystemTimeToFileTime(&local, &start))
        start_ = static_cast<int64_t>((static_cast<uint64_t>(start.dwHighDateTime) << 32) |
                                      start.dwLowDateTime);
}

int64_t SeriesClock::Stamp() const {
    const int64_t counts = Count() - startCount_;
    // In two parts so that long series cannot overflow.
    const int64_t elapsedMs =
        counts / countsPerSecond_ * 1000 + counts % countsPerSecond_ * 1000 / countsPerSecond_;
    return start_ + elapsedMs * kFileTimeUnitsPerMs;
}

} // namespace rvtlpm
