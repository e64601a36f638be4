#include "Firmware.h"

namespace ql {

Firmware DecodeFirmware(uint32_t word) {
  Firmware f;
  f.major = static_cast<int>(word >> 28);
  f.minor = static_cast<int>((word >> 20) & 0xFF);
  f.month = static_cast<int>((word >> 16) & 0x0F);
  f.day = static_cast<int>((word >> 8) & 0xFF);
  f.year = static_cast<int>(word & 0xFF);
  f.version = static_cast<float>(f.major) + static_cast<float>(f.minor) * 0.01f;
  return f;
}

}  // namespace ql
