#include "FactoryStore.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "serial/SetupChecksum.h"

namespace ql::sim {
namespace {

constexpr int kFactorySerialNumber = 117;

// The relays the factory fits: serial ports 1..8 on relays 1..8, the analog ports
// self powered, the pumps on relays 5..8.
int FactoryRelay(int port) {
  if (port >= 1 && port <= 8) return port;
  if (port >= 10 && port <= 16) return 9;
  if (port >= 17) return port - 12;
  return 0;
}

template <size_t N>
Bytes Sealed(std::array<uint8_t, N> record) {
  SealRecord(record.data(), static_cast<int>(N));
  return Bytes(record.begin(), record.end());
}

}  // namespace

FactoryStore::FactoryStore(int meterType) {
  LoadDefaults();
  PutU16LE(&hardware_[4], static_cast<uint16_t>(meterType));
}

void FactoryStore::LoadDefaults() {
  const uint16_t meterType = GetU16LE(&hardware_[4]);
  hardware_ = {};
  PutU16LE(&hardware_[0], 0x0707);
  PutU16LE(&hardware_[2], kFactorySerialNumber);
  PutU16LE(&hardware_[4], meterType);
  PutU16LE(&hardware_[6], 1);  // SX-28 status LED
  PutU16LE(&hardware_[8], 1);  // SX-28 switch, normal polarity
  // Bytes 10..13 belong to the logger; the host hands them back untouched.
  hardware_[10] = 0x5A;
  hardware_[11] = 0xA5;
  hardware_[12] = 0x3C;
  hardware_[13] = 0xC3;
  for (int port = 0; port <= 20; ++port) PutU16LE(&hardware_[static_cast<size_t>(14 + 2 * port)], FactoryRelay(port));

  analog_ = {};
  PutU16LE(&analog_[0], 0x0606);
  PutU16LE(&analog_[2], 15);
  PutU32LE(&analog_[4], 1);
  for (int ch = 0; ch < 8; ++ch) {
    // Each channel's own trim around the nominal values.
    PutU16LE(&analog_[static_cast<size_t>(8 + 2 * ch)], static_cast<uint16_t>(ch == 0 ? 203 : 148 + ch));
    PutU16LE(&analog_[static_cast<size_t>(24 + 2 * ch)], static_cast<uint16_t>(ch == 0 ? 788 : 5320 + 2 * ch));
  }
}

Bytes FactoryStore::HardwarePacket() const { return Sealed(hardware_); }

Bytes FactoryStore::AnalogPacket() const { return Sealed(analog_); }

bool FactoryStore::Take(const std::vector<uint8_t>& record) {
  if (record.size() == hardware_.size() && record[0] == 0x07) {
    std::copy(record.begin(), record.end(), hardware_.begin());
  } else if (record.size() == analog_.size() && record[0] == 0x06) {
    std::copy(record.begin(), record.end(), analog_.begin());
  } else {
    return false;
  }
  ++recordsTaken_;
  return true;
}

int FactoryStore::MeterType() const { return GetI16LE(&hardware_[4]); }

int FactoryStore::SerialNumber() const { return GetI16LE(&hardware_[2]); }

int FactoryStore::Offset(int channel) const {
  return GetI16LE(&analog_[static_cast<size_t>(8 + 2 * std::clamp(channel, 0, 7))]);
}

int FactoryStore::Scale(int channel) const {
  return GetI16LE(&analog_[static_cast<size_t>(24 + 2 * std::clamp(channel, 0, 7))]);
}

}  // namespace ql::sim
