// Timing for the benchmark programs: a high-resolution clock and summaries of
// repeated runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// Seconds since an arbitrary start, from the performance counter.
inline double Seconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The sample at `fraction` of the sorted samples (0.5: the median).
inline double Percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    const size_t at = static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[at];
}

// Median time in seconds of `repetitions` runs of `work`.
inline double MedianSeconds(int repetitions, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const double start = Seconds();
        work();
        times.push_back(Seconds() - start);
    }
    return Percentile(times, 0.5);
}

} // namespace bench
