#pragma once

#include <cstdint>
#include <string>

namespace ql {

// The time of a record as its producer stamped it: a count in the unit its time-unit
// byte names (1: hundredths of a second, anything else: seconds) on the scale of seconds
// since 1970-01-01, read as UTC.
struct RecordTime {
  int64_t count = 0;
  uint8_t unit = 0;

  bool Hundredths() const { return unit == 1; }
  double Seconds() const { return Hundredths() ? static_cast<double>(count) / 100.0 : static_cast<double>(count); }
  // ISO 8601 in UTC to the record's own resolution: "2025-12-06T05:46:40Z" or, for
  // hundredths, "2025-12-06T05:46:40.25Z".
  std::string Iso() const;
};

}  // namespace ql
