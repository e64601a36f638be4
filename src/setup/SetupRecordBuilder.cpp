#include "SetupRecordBuilder.h"

#include "PortDeviceType.h"
#include "PortLineSetting.h"
#include "SetupItems.h"

namespace ql {
namespace {

// The meter drives its own port as a bx5 unless the operator switched it off or asked
// for its binary output.
int16_t MeterPortDeviceType(int meterCombo) {
  switch (meterCombo) {
    case kDeviceOff: return kDeviceOff;
    case kDeviceBinary: return kDeviceBinary;
    default: return kDeviceBx5;
  }
}

void StoreDeviceTypes(SetupControls& controls, int meterType, LoggerSetup& rec) {
  rec.SetDeviceType(0, kDeviceOff);
  if (MeterOwnsPort1(meterType)) {
    controls.portLine[0] = kLine19200Setting;
    rec.SetDeviceType(1, MeterPortDeviceType(controls.meter[0]));
  } else {
    rec.SetDeviceType(1, static_cast<int16_t>(controls.meter[0]));
  }
  for (int port = 2; port <= kSerialPortCount; ++port) {
    rec.SetDeviceType(port, static_cast<int16_t>(controls.meter[port - 1]));
  }
}

// A pump has no serial line: any line choice on it means "ON". "ON" anywhere else is
// sent as OFF.
void StoreLine(int port, int lineSetting, LoggerSetup& rec) {
  const bool pump = rec.DeviceType(port) == kDevicePump;
  if (pump && lineSetting != kLineOffSetting) lineSetting = kLineOnSetting;
  WireLine wire = LineSettingToWire(lineSetting);
  if (lineSetting == kLineOnSetting && !pump) wire = LineSettingToWire(kLineOffSetting);
  rec.SetBaud(port, wire.baud);
  rec.SetDataBits(port, wire.dataBits);
  rec.SetParity(port, wire.parity);
}

uint32_t OncePerHourMask(const SetupControls& c) {
  uint32_t mask = 0;
  auto add = [&mask](const auto& boxes, int firstBit) {
    for (std::size_t i = 0; i < boxes.size(); ++i) mask |= boxes[i] ? 1u << (firstBit + i) : 0u;
  };
  add(c.serialOncePerHour, LoggerSetup::kSerialOncePerHourBit);
  add(c.analogOncePerHour, LoggerSetup::kAnalogOncePerHourBit);
  add(c.pumpOncePerHour, LoggerSetup::kPumpOncePerHourBit);
  return mask;
}

}  // namespace

void BuildSetupRecord(SetupControls& controls, int meterType, SetupBytes& record) {
  LoggerSetup rec(record);
  // 1. Header and mode.
  rec.SetHeader(LoggerSetup::kHeader);
  rec.SetMode(static_cast<int16_t>(controls.mode));
  // 2. Instrument types; a meter's port 1 always runs at 19200.
  StoreDeviceTypes(controls, meterType, rec);
  // 3. Line of the logger port, then of ports 1..8.
  StoreLine(0, controls.hostPortLine, rec);
  for (int port = 1; port <= kSerialPortCount; ++port) {
    StoreLine(port, controls.portLine[port - 1], rec);
  }
  // 4. Once-per-hour sampling exists only in the moored modes; hidden boxes count too.
  const int mode = rec.Mode();
  rec.SetOncePerHourMask(IsMooredMode(mode) ? OncePerHourMask(controls) : 0);
  // 5. The time source is never sent: the host always sends the internal clock.
  controls.timeSource = 0;
  rec.SetTimeSource(static_cast<int16_t>(controls.timeSource));
  // 6. Analog and pump ports.
  rec.SetAnalogSetting(0, 0);
  for (int i = 0; i < kAnalogPortCount; ++i) {
    rec.SetAnalogSetting(i + 1, static_cast<int16_t>(controls.analog[i]));
  }
  for (int i = 0; i < kPumpCount; ++i) rec.SetPumpSetting(i, static_cast<int16_t>(controls.pump[i]));
  // 7. One low-voltage cut-off for every port.
  for (int port = 0; port < LoggerSetup::kPortEntries; ++port) {
    rec.SetLowVoltageCutoff(port, static_cast<int16_t>(controls.lowVoltageCutoff));
  }
  // 8. Only the Real Time and Analog modes may sample analog channels faster than 8 Hz.
  if (mode != kRealTimeMode && mode != kAnalogMode && controls.analogRate > 8) controls.analogRate = 8;
  rec.SetAnalogRateHz(static_cast<int16_t>(controls.analogRate));
  // 9. Output and storage formats.
  rec.SetOutputFormat(static_cast<int16_t>(controls.output));
  rec.SetFileFormat(static_cast<int16_t>(controls.file));
  // 10. The six times, delay first.
  for (int f = 0; f < kTimeFieldCount; ++f) {
    const TimeSetting& t = controls.times[f];
    rec.SetSeconds(static_cast<TimeField>(f), UnitToSeconds(t.unit, t.position));
  }
  // 11. Start when powered.
  rec.SetAutoStart(controls.autoStart ? 1 : 0);
  // 12. Checksum.
  rec.Seal();
}

}  // namespace ql
