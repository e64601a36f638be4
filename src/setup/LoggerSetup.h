#pragma once

#include <array>
#include <cstdint>

#include "SetupTime.h"

namespace ql {

inline constexpr int kSetupRecordSize = 192;
using SetupBytes = std::array<uint8_t, kSetupRecordSize>;

// Typed fields of the logger's 192-byte sampling setup, a little-endian record, read and
// written in place. The host keeps one copy of the bytes; this is a view on it. Port
// arrays have 9 entries (0 is the logger port, 1..8 the instrument ports); the analog
// array has 8 (entry 0 unused). The reserved bytes at 4, 168, 176, 182 and 188 have no
// accessor: they go back to the logger as it sent them.
class LoggerSetup {
 public:
  static constexpr uint16_t kHeader = 257;  // bytes 01 01
  static constexpr int kPortEntries = 9;
  static constexpr int kAnalogEntries = 8;
  static constexpr int kPumpEntries = 4;
  static constexpr int kChecksumOffset = 190;
  // First bit of each group in the once-per-hour mask: serial ports 1..8 from bit 0,
  // analog ports 1..7 from bit 8, pumps 1..4 from bit 16.
  static constexpr int kSerialOncePerHourBit = 0;
  static constexpr int kAnalogOncePerHourBit = 8;
  static constexpr int kPumpOncePerHourBit = 16;

  explicit LoggerSetup(SetupBytes& bytes) : b_(bytes.data()) {}

  uint16_t Header() const;
  void SetHeader(uint16_t value);
  int16_t Mode() const;
  void SetMode(int16_t value);
  uint32_t OncePerHourMask() const;
  void SetOncePerHourMask(uint32_t value);
  int32_t Seconds(TimeField field) const;  // delay .. interval
  void SetSeconds(TimeField field, int32_t value);
  int32_t Baud(int port) const;
  void SetBaud(int port, int32_t value);
  int16_t DeviceType(int port) const;
  void SetDeviceType(int port, int16_t value);
  int16_t DataBits(int port) const;
  void SetDataBits(int port, int16_t value);
  int16_t Parity(int port) const;
  void SetParity(int port, int16_t value);
  int16_t LowVoltageCutoff(int port) const;  // tenths of a volt
  void SetLowVoltageCutoff(int port, int16_t value);
  int16_t AnalogSetting(int entry) const;
  void SetAnalogSetting(int entry, int16_t value);
  int16_t PumpSetting(int pump) const;  // pump 0..3
  void SetPumpSetting(int pump, int16_t value);
  int16_t AnalogRateHz() const;
  void SetAnalogRateHz(int16_t value);
  int16_t OutputFormat() const;
  void SetOutputFormat(int16_t value);
  int16_t FileFormat() const;
  void SetFileFormat(int16_t value);
  int16_t AutoStart() const;
  void SetAutoStart(int16_t value);
  int16_t TimeSource() const;
  void SetTimeSource(int16_t value);
  uint16_t Checksum() const;

  // Stores the checksum of bytes 0..189 at 190.
  void Seal();

 private:
  int16_t I16(int offset) const;
  void PutI16(int offset, int16_t value);
  int32_t I32(int offset) const;
  void PutI32(int offset, int32_t value);

  uint8_t* b_;
};

}  // namespace ql
