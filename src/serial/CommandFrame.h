#pragma once

#include <array>
#include <cstdint>

namespace ql {

// Command codes of the 12-byte command frame; each is one byte value repeated.
enum CommandCode : uint16_t {
  CmdStop = 0xA1A1,
  CmdBeginSample = 0xA2A2,
  CmdLoadDefaults = 0xA4A4,
  CmdSetLoggerId = 0xA6A6,
  CmdSleepUntil = 0xA7A7,
  CmdGetHardware = 0xA8A8,
  CmdUploadAck = 0xA9A9,
  CmdGetSetup = 0xACAC,
  CmdGetAnalogCal = 0xADAD,
  CmdSetTime = 0xAEAE,
  CmdLoadDefaultSetup = 0xAFAF,
  CmdSelectRs232 = 0xB4B4,
  CmdSelectRs422 = 0xB5B5,
  CmdResetToMonitor = 0xB6B6,
  CmdGetDirectory = 0xB8B8,
  CmdUploadRun = 0xBABA,
  CmdClearFlash = 0xBDBD,
};

inline constexpr int kCommandFrameSize = 12;
using CommandFrame = std::array<uint8_t, kCommandFrameSize>;

// 0x0202, code, argA (u32), argB (u16), checksum; all little-endian.
CommandFrame BuildCommandFrame(uint16_t code, uint16_t argB = 0, uint32_t argA = 0);

// The record that puts one logger port into test mode. Fields after the marker are
// big-endian; the checksum is little-endian like everywhere else.
struct PortTestRecord {
  uint16_t testPort = 1;  // 1..8 serial ports, 9 the analog ports
  uint32_t testBaud = 9600;
  uint32_t hostBaud = 9600;
  uint16_t testParity = 0;  // 0 none, 2 even
  uint16_t hostParity = 0;
  uint16_t testDataBits = 8;
  uint16_t hostDataBits = 8;
};

inline constexpr int kPortTestRecordSize = 24;
std::array<uint8_t, kPortTestRecordSize> EncodePortTestRecord(const PortTestRecord& record);

}  // namespace ql
