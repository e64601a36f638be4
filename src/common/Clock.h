#pragma once

#include <cstdint>

namespace ql {

// The PC's clock as the host needs it: UTC seconds with the fraction, the zone's
// standard offset and whether daylight saving time is in effect at a moment.
class Clock {
 public:
  virtual ~Clock() = default;

  struct Now {
    int64_t utcSeconds = 0;
    int milliseconds = 0;  // 0..999 within the second
  };

  virtual Now ReadNow() = 0;

  // Seconds by which local standard time lies behind UTC (positive west of Greenwich).
  virtual int64_t ZoneOffsetSeconds() = 0;

  virtual bool IsDaylightSaving(int64_t utcSeconds) = 0;
};

// Host seconds of a UTC moment: UTC minus the zone offset, plus an hour in daylight time.
int64_t HostSecondsOf(Clock& clock, int64_t utcSeconds, bool* daylight = nullptr);

}  // namespace ql
