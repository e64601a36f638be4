#pragma once

#include <array>
#include <cstdint>

#include "serial/SerialDevice.h"

namespace ql::sim {

// The logger's sampling setup, the 192-byte record the host sends (starting 01 01) and
// gets back as a type 1 packet. Little-endian; port arrays have nine entries, entry 0
// being the logger's own port toward the host.
class SetupRecord {
 public:
  static constexpr int kSize = 192;
  static constexpr uint16_t kHeader = 257;

  // Field offsets.
  static constexpr int kMode = 2;
  static constexpr int kReservedA = 4;
  static constexpr int kOncePerHourMask = 8;
  static constexpr int kDelaySeconds = 12;
  static constexpr int kPreFlushSeconds = 16;
  static constexpr int kWarmupSeconds = 20;
  static constexpr int kFlushSeconds = 24;
  static constexpr int kSampleSeconds = 28;
  static constexpr int kIntervalSeconds = 32;
  static constexpr int kBaud = 36;             // i32[9]
  static constexpr int kDeviceType = 72;       // i16[9]
  static constexpr int kDataBits = 90;         // i16[9]
  static constexpr int kParity = 108;          // i16[9]
  static constexpr int kLowVoltageCutoff = 126;  // i16[9], tenths of a volt
  static constexpr int kAnalogSetting = 144;   // i16[8]
  static constexpr int kPumpSetting = 160;     // i16[4]
  static constexpr int kAnalogRateHz = 170;
  static constexpr int kOutputFormat = 172;
  static constexpr int kFileFormat = 174;
  static constexpr int kAutoStart = 180;
  static constexpr int kTimeSource = 186;
  static constexpr int kChecksum = 190;

  // Modes of operation.
  static constexpr int kProfileMode = 0;
  static constexpr int kRealTimeMode = 2;
  // Instrument types that matter here.
  static constexpr int kDeviceOff = 0;
  static constexpr int kDevicePump = 7;

  // Real-time mode with sampling on, ASCII instrument at 9600 on port 1, analog inputs
  // 1 and 2, real-time data plus status, stored in archive files; sealed.
  static SetupRecord Defaults();

  // A record from the bytes given, if they carry the header and a good checksum.
  static bool Valid(const uint8_t* bytes);
  static SetupRecord FromBytes(const uint8_t* bytes);

  const std::array<uint8_t, kSize>& Bytes() const { return bytes_; }

  int Mode() const;
  int Baud(int port) const;
  int DeviceType(int port) const;
  int DataBits(int port) const;
  int Parity(int port) const;
  int AnalogSetting(int channel) const;  // channel 1..7
  int AnalogRateHz() const;
  int FileFormat() const;
  int SampleSeconds() const;
  // True when the serial port 1..8 has an instrument with a line to read.
  bool PortActive(int port) const;

  // The line of entry 0, when it names a speed the logger's host port can run at.
  bool HostLine(LineParams& line) const;
  void SetHostLine(const LineParams& line);

  void SetI16(int offset, int value);
  void SetI32(int offset, int32_t value);
  void Seal();

 private:
  int I16(int offset) const;
  int32_t I32(int offset) const;

  std::array<uint8_t, kSize> bytes_{};
};

}  // namespace ql::sim
