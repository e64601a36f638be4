#include "SetupTime.h"

namespace ql {

int32_t UnitToSeconds(int unit, int position) {
  static constexpr std::array<int32_t, 3> kFactor = {1, 60, 3600};
  if (unit < 0 || unit >= static_cast<int>(kFactor.size())) return 0;
  return position * kFactor[unit];
}

TimeSetting SecondsToUnit(int32_t seconds) {
  if (seconds == 0) return {0, kSeconds};
  if (seconds % 3600 == 0) return {static_cast<int16_t>(seconds / 3600), kHours};
  if (seconds % 60 == 0) return {static_cast<int16_t>(seconds / 60), kMinutes};
  return {static_cast<int16_t>(seconds), kSeconds};
}

}  // namespace ql
