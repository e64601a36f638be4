#pragma once

#include <optional>
#include <string>

#include "SerialDevice.h"

namespace ql {

// Line settings of a PC serial port, indexed like the items of LoggerSetupCB and
// DeckSetup1CB..: 0 "OFF", 1 "600" .. 11 "115200".
inline constexpr int kLineOff = 0;
inline constexpr int kLine9600 = 6;
inline constexpr int kLine115200 = 11;
inline constexpr int kLineSettingCount = 12;

// Mode string of a line setting ("9600,N,8,1"); an unknown index opens at 9600,N,8,1.
const char* ModeString(int lineSetting);

// Parses a mode string "baud,parity,databits,stopbits"; nothing when malformed.
std::optional<LineParams> ParseModeString(const std::string& mode);

// The (baud, data bits) pair that a line setting index stands for when a port is
// configured; any other index stands for (9600, 8).
struct BaudAndBits {
  int baud;
  int dataBits;
};
BaudAndBits ConfigurePair(int lineIndex);

// The line setting chosen from a baud rate and data-bit count; nothing for an unknown baud.
std::optional<int> LineSettingFor(int baud, int dataBits);

// "COM%1d " / "No Port " followed by the line setting's description.
std::string DescribePort(int comIndex, int lineIndex);

}  // namespace ql
