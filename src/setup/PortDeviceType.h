#pragma once

#include <array>

namespace ql {

// Instrument type codes of the setup record's deviceType field.
enum PortDeviceType {
  kDeviceOff = 0,
  kDeviceBx5 = 1,
  kDeviceSpk = 2,
  kDeviceAscii = 3,
  kDeviceBinary = 4,
  kDeviceLumK4 = 5,
  kDeviceGps = 6,
  kDevicePump = 7,
  kDeviceRemoteHost = 8,
  kDeviceSbe37 = 9,
  kDeviceSctS = 10,
  kDeviceZrTest = 11,
  kDeviceWakeBinary = 12,
  kDeviceZrLogger = 13,  // reported by the logger, never offered to the operator
};

// Items of ComboMeter1..ComboMeter8, indexed by type code.
inline constexpr std::array<const char*, 13> kDeviceTypeItems = {
    "OFF",  "BX5",         "SPK",       "ASCII", "BINARY",  "LUM-K4",       "GPS",
    "Pump", "Remote Host", "SBE-37 SM", "SCT-S", "ZR TEST", "Wake / Binary"};

// Text of a port's type label on the Data Status page (M1TypeLabel..M8TypeLabel).
const char* DeviceTypeLabel(int deviceType);

}  // namespace ql
