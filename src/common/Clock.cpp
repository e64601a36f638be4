#include "Clock.h"

namespace ql {

int64_t HostSecondsOf(Clock& clock, int64_t utcSeconds, bool* daylight) {
  const bool dst = clock.IsDaylightSaving(utcSeconds);
  if (daylight != nullptr) *daylight = dst;
  return utcSeconds - clock.ZoneOffsetSeconds() + (dst ? 3600 : 0);
}

}  // namespace ql
