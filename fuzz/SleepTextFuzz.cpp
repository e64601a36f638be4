// Feeds arbitrary operator text through the sleep dialog's time and date checks, and
// every moment they accept through the wake-up conversion.
#include <cstdint>
#include <string>

#include "loggertools/SleepRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const size_t split = text.find('\n');
  const std::string timeText = text.substr(0, split);
  const std::string dateText = split == std::string::npos ? text : text.substr(split + 1);
  const std::optional<ql::SleepTimeOfDay> time = ql::ParseSleepTime(timeText);
  const std::optional<ql::SleepDate> date = ql::ParseSleepDate(dateText);
  if (time && date && date->year <= ql::kLastSleepYear) {
    for (const bool daylight : {false, true}) ql::WakeUpMoment(*date, *time, -14 * 3600, daylight);
  }
  return 0;
}
