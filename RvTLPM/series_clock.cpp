#include "series_clock.h"

#include <windows.h>

namespace rvtlpm {
namespace {

constexpr int64_t kFileTimeUnitsPerMs = 10000;

} // namespace

// The elapsed time comes from the system tick counter: it steps by 10 to 16
// ms on Windows, so readings taken closer together may share a stamp.
SeriesClock::SeriesClock() : start_(0), startTick_(GetTickCount64()) {
    // Taken through SYSTEMTIME so the start is a whole millisecond, like every step after it.
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME start;
    if (SystemTimeToFileTime(&local, &start))
        start_ = static_cast<int64_t>((static_cast<uint64_t>(start.dwHighDateTime) << 32) |
                                      start.dwLowDateTime);
}

int64_t SeriesClock::Stamp() const {
    const int64_t elapsedMs = static_cast<int64_t>(GetTickCount64() - startTick_);
    return start_ + elapsedMs * kFileTimeUnitsPerMs;
}

} // namespace rvtlpm
