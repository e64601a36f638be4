#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "RecordTime.h"

namespace ql {

// A battery file of a run ("Battery.xxx"): the logger's battery records back to back,
// each its clock in seconds (u32 big-endian) and the supply voltage in millivolts
// (i16 big-endian).
inline constexpr int kBatteryRecordBytes = 6;

struct BatteryReading {
  bool opened = false;
  uint64_t records = 0;
  uint64_t leftoverBytes = 0;  // a last record cut short
};

BatteryReading ReadBatteryRecords(const std::filesystem::path& path,
                                  const std::function<void(const RecordTime& time, double volts)>& visit);

}  // namespace ql
