#include "PortLineSetting.h"

namespace ql {

WireLine LineSettingToWire(int lineSetting) {
  static constexpr std::array<WireLine, 13> kWire = {{
      {0, 8, kParityNone},       // "OFF"
      {600, 8, kParityNone},     // "600"
      {1200, 8, kParityNone},    // "1200"
      {2400, 8, kParityNone},    // "2400"
      {4800, 8, kParityNone},    // "4800"
      {4800, 7, kParityEven},    // "4800,7,E,1"
      {9600, 8, kParityNone},    // "9600"
      {9600, 7, kParityEven},    // "9600,7,E,1"
      {19200, 8, kParityNone},   // "19200"
      {38400, 8, kParityNone},   // "38400"
      {57600, 8, kParityNone},   // "57600"
      {115200, 8, kParityNone},  // "115200"
      {0, 7, kParityNone},       // "ON"
  }};
  if (lineSetting < 0 || lineSetting >= static_cast<int>(kWire.size())) {
    return {9600, 8, kParityNone};
  }
  return kWire[lineSetting];
}

int WireToLineSetting(int32_t baud, int dataBits) {
  const bool eightBits = dataBits == 8;
  switch (baud) {
    case 0: return eightBits ? kLineOffSetting : kLineOnSetting;
    case 600: return 1;
    case 1200: return 2;
    case 2400: return 3;
    case 4800: return eightBits ? 4 : 5;
    case 9600: return eightBits ? 6 : 7;
    case 19200: return 8;
    case 38400: return 9;
    case 57600: return 10;
    case 115200: return 11;
    default: return kLine9600Setting;
  }
}

int LoggerPortLineSetting(int32_t baud, int dataBits) {
  if (baud == 0) return kLine9600Setting;
  return WireToLineSetting(baud, dataBits);
}

}  // namespace ql
