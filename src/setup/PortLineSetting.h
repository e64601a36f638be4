#pragma once

#include <array>
#include <cstdint>

namespace ql {

// Line settings of the logger's own ports as the setup record carries them: the items
// of CBPort1Setup..CBPort8Setup. CBHostPortSetup (the logger port) has the first 12.
// "ON" switches a pump port on with no serial line.
inline constexpr int kLineOffSetting = 0;
inline constexpr int kLine9600Setting = 6;
inline constexpr int kLine19200Setting = 8;
inline constexpr int kLineOnSetting = 12;
inline constexpr std::array<const char*, 13> kPortLineItems = {
    "OFF",        "600",   "1200",  "2400",  "4800",   "4800,7,E,1", "9600",
    "9600,7,E,1", "19200", "38400", "57600", "115200", "ON"};
inline constexpr int kHostPortLineCount = 12;

// Parity values of the record.
inline constexpr int16_t kParityNone = 0;
inline constexpr int16_t kParityEven = 2;

// One port's line as the record's baud, dataBits and parity fields hold it.
struct WireLine {
  int32_t baud;
  int16_t dataBits;
  int16_t parity;

  bool operator==(const WireLine&) const = default;
};

// An index outside 0..12 stands for 9600 baud, 8 bits.
WireLine LineSettingToWire(int lineSetting);

// Index 0..12 of a port's line; baud 0 with 7 bits is "ON", an unknown baud is "9600".
int WireToLineSetting(int32_t baud, int dataBits);

// Index 0..11 the host uses for the logger port itself: like WireToLineSetting, but a
// logger port is never "OFF" or "ON", so baud 0 (like any unknown baud) means "9600".
int LoggerPortLineSetting(int32_t baud, int dataBits);

}  // namespace ql
