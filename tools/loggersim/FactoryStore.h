#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "LoggerPackets.h"

namespace ql::sim {

// The two factory records the logger keeps in flash: its hardware configuration (58
// bytes, type 7) and its analog calibration (44 bytes, type 6). It answers a request
// with the record as it holds it and takes a whole record the host sends in its place.
class FactoryStore {
 public:
  static constexpr int kHardwareLength = 58;
  static constexpr int kAnalogLength = 44;

  explicit FactoryStore(int meterType);

  // The packets answering CmdGetHardware and CmdGetAnalogCal.
  Bytes HardwarePacket() const;
  Bytes AnalogPacket() const;

  // A record the host sent, its checksum already checked: a hardware configuration or
  // an analog calibration replaces the one held. Returns whether it was one of them.
  bool Take(const std::vector<uint8_t>& record);

  // CmdLoadDefaults: both records back to the factory's, the meter type kept.
  void LoadDefaults();

  // The meter type of the hardware configuration, as the status reports it.
  int MeterType() const;
  int SerialNumber() const;
  // Offset and scale of calibration channel 0..7.
  int Offset(int channel) const;
  int Scale(int channel) const;
  int RecordsTaken() const { return recordsTaken_; }

 private:
  std::array<uint8_t, kHardwareLength> hardware_{};
  std::array<uint8_t, kAnalogLength> analog_{};
  int recordsTaken_ = 0;
};

}  // namespace ql::sim
