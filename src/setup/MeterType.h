#pragma once

namespace ql {

// The meter that carries the logger, as its hardware configuration names it
// (DeviceTypeCB). The host knows none (-1) until a hardware configuration or a status
// has told it.
inline constexpr int kMeterUnknown = -1;
inline constexpr int kMeterNone = 0;
inline constexpr int kMeterBx5Plus = 1;
inline constexpr int kMeterQl9 = 2;
inline constexpr int kMeterExtPlus = 3;  // EXT Plus, reported as K-Plus

// Whether port 1 is the port of the meter that carries the logger.
constexpr bool MeterOwnsPort1(int meterType) {
  return meterType == kMeterBx5Plus || meterType == kMeterExtPlus;
}

}  // namespace ql
