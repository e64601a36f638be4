#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ql::sim {

using Bytes = std::vector<uint8_t>;

// Logger states as the status packet reports them.
enum LoggerState : int16_t {
  kStateOff = 0,
  kStateSampling = 6,
  kStateClearMemory = 7,
  kStateSleeping = 8,
  kStateStandby = 9,
};

inline constexpr int kStatusLength = 132;
inline constexpr int kShortMessageLength = 12;

// The fields of a status packet (type 3, 132 bytes, little-endian).
struct StatusFields {
  int16_t state = kStateStandby;
  int16_t runNumber = -1;
  int32_t loggerSeconds = 0;
  uint32_t secondsLeft = 0;
  int16_t meterType = 2;
  int16_t loggerId = 1;
  uint16_t serialMask = 0;  // bits 0..7 ports fitted, 8 RS-422 host interface, 9 remote host
  uint16_t analogMask = 0;
  uint16_t pumpMask = 0;
  std::array<int16_t, 9> portRate{};  // entries 1..8: bytes per second
  uint16_t powerBits = 0;
  int16_t currentMillivolts = 0;
  int16_t startMillivolts = 0;
  int16_t endMillivolts = 0;
  int16_t runStopSwitch = 0;
  std::array<int16_t, 8> analogMillivolts{};  // entries 1..7
  // 1..8 per serial port, 9 analog, 10 further run file, 11 free flash, 12 total flash,
  // 13 firmware word.
  std::array<uint32_t, 14> fileBytes{};
};

// Firmware word: major in bits 31..28, minor (hundredths) 27..20, month 19..16, day
// 15..8, two-digit year 7..0.
uint32_t FirmwareWord(int major, int minor, int month, int day, int year);

Bytes BuildStatusPacket(const StatusFields& status);

// One data record as the logger sends it in a type 8 packet; the header's length, time
// and nine counts go big-endian on the wire.
struct DataRecordFields {
  uint8_t format = 1;
  uint8_t timeUnit = 0;  // 0: time counts seconds
  uint8_t sender = 0;
  uint8_t sequence = 0;
  uint32_t time = 0;
  std::array<std::string, 9> sources{};  // serial ports 1..8, then the analog bytes
  std::array<uint8_t, 4> trailer{{'#', '#', '#', '#'}};
};

Bytes BuildDataPacket(const DataRecordFields& record);

// A short message (type 2) in the command-frame layout; the word at offset 2 carries
// the bad-flash count.
Bytes BuildShortMessage(int16_t word);

}  // namespace ql::sim
