#include "SetupRecord.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "serial/LineSettings.h"
#include "serial/SetupChecksum.h"

namespace ql::sim {

SetupRecord SetupRecord::Defaults() {
  SetupRecord s;
  PutU16LE(&s.bytes_[0], kHeader);
  s.SetI16(kMode, kRealTimeMode);
  // The factory leaves a mark in the reserved words; a host must hand them back as is.
  s.bytes_[kReservedA] = 'Q';
  s.bytes_[kReservedA + 1] = 'L';
  s.bytes_[kReservedA + 2] = '9';
  s.SetI32(kWarmupSeconds, 10);
  s.SetI32(kFlushSeconds, 5);
  s.SetI32(kSampleSeconds, 60);
  s.SetI32(kIntervalSeconds, 300);
  for (int port = 0; port < 9; ++port) {
    s.SetI16(kDataBits + 2 * port, 8);
    s.SetI16(kLowVoltageCutoff + 2 * port, 100);
  }
  s.SetI32(kBaud, 9600);
  s.SetI32(kBaud + 4, 9600);
  s.SetI16(kDeviceType + 2, 3);  // ASCII
  s.SetI16(kAnalogSetting + 2, 1);
  s.SetI16(kAnalogSetting + 4, 1);
  s.SetI16(kAnalogRateHz, 1);
  s.SetI16(kOutputFormat, 1);  // real-time data + status
  s.SetI16(kFileFormat, 1);    // archive files
  s.SetI16(kAutoStart, 1);
  s.Seal();
  return s;
}

bool SetupRecord::Valid(const uint8_t* bytes) {
  return GetU16LE(bytes) == kHeader && setup_checksum(bytes, kChecksum) == GetU16LE(bytes + kChecksum);
}

SetupRecord SetupRecord::FromBytes(const uint8_t* bytes) {
  SetupRecord s;
  std::copy(bytes, bytes + kSize, s.bytes_.begin());
  return s;
}

int SetupRecord::I16(int offset) const { return GetI16LE(&bytes_[offset]); }
int32_t SetupRecord::I32(int offset) const { return GetI32LE(&bytes_[offset]); }

void SetupRecord::SetI16(int offset, int value) {
  PutU16LE(&bytes_[offset], static_cast<uint16_t>(value));
}

void SetupRecord::SetI32(int offset, int32_t value) {
  PutU32LE(&bytes_[offset], static_cast<uint32_t>(value));
}

void SetupRecord::Seal() { SealRecord(bytes_.data(), kSize); }

int SetupRecord::Mode() const { return I16(kMode); }
int SetupRecord::Baud(int port) const { return I32(kBaud + 4 * port); }
int SetupRecord::DeviceType(int port) const { return I16(kDeviceType + 2 * port); }
int SetupRecord::DataBits(int port) const { return I16(kDataBits + 2 * port); }
int SetupRecord::Parity(int port) const { return I16(kParity + 2 * port); }
int SetupRecord::AnalogSetting(int channel) const { return I16(kAnalogSetting + 2 * channel); }
int SetupRecord::AnalogRateHz() const { return I16(kAnalogRateHz); }
int SetupRecord::FileFormat() const { return I16(kFileFormat); }
int SetupRecord::SampleSeconds() const { return I32(kSampleSeconds); }

bool SetupRecord::PortActive(int port) const {
  const int type = DeviceType(port);
  return type != kDeviceOff && type != kDevicePump && Baud(port) > 0;
}

bool SetupRecord::HostLine(LineParams& line) const {
  const int baud = Baud(0);
  const int bits = DataBits(0) == 7 ? 7 : 8;
  if (!LineSettingFor(baud, bits)) return false;
  line = LineParams{baud, Parity(0) == 2 ? 'E' : 'N', bits, 1};
  return true;
}

void SetupRecord::SetHostLine(const LineParams& line) {
  SetI32(kBaud, line.baud);
  SetI16(kDataBits, line.dataBits);
  SetI16(kParity, line.parity == 'E' ? 2 : 0);
  Seal();
}

}  // namespace ql::sim
