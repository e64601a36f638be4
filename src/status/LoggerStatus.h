#pragma once

#include <array>
#include <cstdint>

namespace ql {

inline constexpr int kStatusRecordSize = 132;
using StatusBytes = std::array<uint8_t, kStatusRecordSize>;

// Typed fields of the logger's 132-byte status record (little-endian), read in place
// from the host's copy.
class LoggerStatus {
 public:
  // fileBytes entries beyond the per-port sizes 1..8.
  static constexpr int kAnalogFile = 9;
  static constexpr int kFurtherRunFile = 10;
  static constexpr int kFreeFlash = 11;
  static constexpr int kTotalFlash = 12;
  static constexpr int kFirmwareWord = 13;

  explicit LoggerStatus(const StatusBytes& bytes) : b_(bytes.data()) {}

  int16_t State() const;
  int16_t RunNumber() const;      // negative: no run
  int32_t LoggerSeconds() const;  // logger clock, local seconds since 1970
  uint32_t SecondsLeft() const;
  int16_t MeterType() const;
  int16_t LoggerId() const;
  uint16_t SerialMask() const;  // bits 0..7 ports fitted, 8 RS-422 host, 9 remote host
  uint16_t AnalogMask() const;
  uint16_t PumpMask() const;
  int16_t PortRate(int port) const;  // 1..8
  uint16_t PowerBits() const;
  int16_t CurrentMillivolts() const;
  int16_t StartMillivolts() const;
  int16_t EndMillivolts() const;
  int16_t RunStopSwitch() const;
  int16_t AnalogMillivolts(int input) const;  // 1..7
  int32_t FileBytes(int entry) const;         // 1..13
  uint32_t FirmwareWord() const;

 private:
  const uint8_t* b_;
};

}  // namespace ql
