#pragma once

#include <cstdint>

#include "common/Clock.h"

namespace ql::test {

// A clock that moves only when the test moves it. Daylight saving time is in effect
// between two UTC moments the test chooses.
class FakeClock : public Clock {
 public:
  Now ReadNow() override { return {utcMillis / 1000, static_cast<int>(utcMillis % 1000)}; }
  int64_t ZoneOffsetSeconds() override { return zoneOffset; }
  bool IsDaylightSaving(int64_t utc) override { return utc >= dstFrom && utc < dstUntil; }

  void AdvanceMs(int64_t ms) { utcMillis += ms; }
  void SetUtc(int64_t seconds) { utcMillis = seconds * 1000; }

  int64_t utcMillis = 1'765'000'000'000;  // December 2025
  int64_t zoneOffset = 0;
  int64_t dstFrom = 0;
  int64_t dstUntil = 0;
};

}  // namespace ql::test
