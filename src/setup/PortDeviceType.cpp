#include "PortDeviceType.h"

namespace ql {

const char* DeviceTypeLabel(int deviceType) {
  static constexpr std::array<const char*, 14> kLabels = {
      "Off",  "bx5",         "spk",   "ASCII", "Binary",  "LUM-K4",      "GPS",
      "Pump", "Remote Host", "SBE16", "SCT-S", "ZR-Test", "Wake-Binary", "ZR-Logger"};
  if (deviceType < 0 || deviceType >= static_cast<int>(kLabels.size())) return "OFF";
  return kLabels[deviceType];
}

}  // namespace ql
