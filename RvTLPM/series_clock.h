// Time stamps of one series of readings.
#pragma once

#include <cstdint>

namespace rvtlpm {

// Reads the local time once when a series starts; each stamp adds the whole
// milliseconds passed since then on the tick counter, so the stamps of a
// series never go back when the wall clock is adjusted.
class SeriesClock {
  public:
    SeriesClock();
    // Local FILETIME (100 ns units since 1601) in whole milliseconds.
    int64_t Stamp() const;

  private:
    int64_t start_;
    uint64_t startTick_;
};

} // namespace rvtlpm
