#pragma once

#include <cstdint>

namespace ql {

// The logger firmware's version and build date, packed in one status word.
struct Firmware {
  int major = 0;
  int minor = 0;  // hundredths
  int month = 0;
  int day = 0;
  int year = 0;          // two digits
  float version = 0.0f;  // major + minor hundredths
};

Firmware DecodeFirmware(uint32_t word);

// Oldest firmware this host works with.
inline constexpr float kOldestFirmware = 7.0f;

}  // namespace ql
