#pragma once

#include <array>
#include <cstdint>

namespace ql {

// The six times of the sampling cycle, in the order the setup record holds them.
enum TimeField { kDelay, kPreFlush, kWarmup, kFlush, kSample, kInterval };
inline constexpr int kTimeFieldCount = 6;

// Items of DelayCombo, PreFlushCombo, WarmupCombo, FlushCombo, SampleCombo, IntervalCombo.
inline constexpr int kSeconds = 0;
inline constexpr int kMinutes = 1;
inline constexpr int kHours = 2;
inline constexpr std::array<const char*, 3> kTimeUnitItems = {"Seconds", "Minutes", "Hours"};

// One time as the page shows it: up-down position and unit combo index.
struct TimeSetting {
  int position = 5;  // every time up-down starts at 5 and steps by 5
  int unit = kSeconds;

  bool operator==(const TimeSetting&) const = default;
};

// Range of one time's up-down.
struct TimeRange {
  const char* upDown;  // control name
  int min;
  int max;
};
inline constexpr std::array<TimeRange, kTimeFieldCount> kTimeRanges = {{
    {"DelayUD", 0, 100},
    {"PreFlushUD", 0, 300},
    {"WarmupUD", 0, 10000},
    {"FlushUD", 0, 300},
    {"SampleUD", 1, 10000},
    {"IntervalUD", 1, 10000},
}};
inline constexpr int kTimeStep = 5;

// Seconds of a position in a unit; 0 for a unit outside the list.
int32_t UnitToSeconds(int unit, int position);

// The largest whole unit a count of seconds fits: hours first, so 3600 shows as 1 Hours
// and 120 as 2 Minutes. The position is a signed 16-bit value, as the up-down holds it.
TimeSetting SecondsToUnit(int32_t seconds);

}  // namespace ql
