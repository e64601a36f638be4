#include "ReceivedSetup.h"

#include <algorithm>

#include "PortDeviceType.h"
#include "PortLineSetting.h"
#include "SetupEditing.h"
#include "SetupItems.h"

namespace ql {
namespace {

bool KnownDeviceType(int deviceType) { return deviceType >= kDeviceBx5 && deviceType <= kDeviceZrLogger; }

// The cut-off the logger applies is the highest among its working ports; below 6.5 V
// it never goes.
int LowVoltageCutoff(const LoggerSetup& rec) {
  int cutoff = 65;
  for (int port = 1; port <= kSerialPortCount; ++port) {
    if (rec.DeviceType(port) != kDeviceOff) cutoff = std::max<int>(cutoff, rec.LowVoltageCutoff(port));
  }
  return cutoff;
}

void CheckOncePerHour(uint32_t mask, SetupControls& c) {
  auto check = [mask](auto& boxes, int firstBit) {
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = (mask >> (firstBit + i)) & 1u;
  };
  check(c.serialOncePerHour, LoggerSetup::kSerialOncePerHourBit);
  check(c.analogOncePerHour, LoggerSetup::kAnalogOncePerHourBit);
  check(c.pumpOncePerHour, LoggerSetup::kPumpOncePerHourBit);
}

}  // namespace

ReceivedSetupView ShowReceivedSetup(SetupBytes& record, SetupControls& controls,
                                    const PortRowsShown& portLabels) {
  LoggerSetup rec(record);
  ReceivedSetupView view;
  // 1. The six times.
  for (int f = 0; f < kTimeFieldCount; ++f) {
    controls.times[f] = SecondsToUnit(rec.Seconds(static_cast<TimeField>(f)));
  }
  // 2. Formats, as they come: a value off the list leaves its combo without a selection.
  controls.output = rec.OutputFormat();
  controls.file = rec.FileFormat();
  // 3. Port labels of the Data Status page start afresh.
  view.typeLabels.fill("OFF");
  view.statusLabels.fill("0");
  view.fileSizeLabels.fill("0 K");
  // 4. The logger port's own line.
  view.loggerLineSetting = LoggerPortLineSetting(rec.Baud(0), rec.DataBits(0));
  controls.hostPortLine = view.loggerLineSetting;
  // 5. Instrument types and lines; a port of no known type shows "OFF".
  for (int port = 1; port <= kSerialPortCount; ++port) {
    const int type = rec.DeviceType(port);
    controls.meter[port - 1] = type;
    controls.portLine[port - 1] =
        KnownDeviceType(type) ? WireToLineSetting(rec.Baud(port), rec.DataBits(port)) : kLineOffSetting;
  }
  // 6. Type labels.
  for (int port = 1; port <= kSerialPortCount; ++port) {
    view.typeLabels[port - 1] = DeviceTypeLabel(rec.DeviceType(port));
  }
  // 7. Analog values wait for the next status.
  view.analogValues.fill("0.000");
  // 8. Analog and pump ports; an unknown analog setting shows as off.
  for (int i = 0; i < kAnalogPortCount; ++i) {
    const int setting = rec.AnalogSetting(i + 1);
    controls.analog[i] = HasSelection(setting, kAnalogItems.size()) ? setting : 0;
  }
  for (int i = 0; i < kPumpCount; ++i) controls.pump[i] = rec.PumpSetting(i);
  // 9. Start when powered.
  controls.autoStart = rec.AutoStart() != 0;
  // 10. Low-voltage cut-off.
  controls.lowVoltageCutoff = LowVoltageCutoff(rec);
  // 11. Analog rate, never below 1 Hz (it divides the period).
  if (rec.AnalogRateHz() < 1) rec.SetAnalogRateHz(1);
  controls.analogRate = rec.AnalogRateHz();
  // A time, cut-off or rate beyond its up-down would show the limit while Send Setup
  // sent the logger's value back: the page holds what it can show, the record stays as
  // it came.
  ClampToUpDowns(controls);
  view.lowVoltageText = LowVoltageText(controls.lowVoltageCutoff);
  view.analogRateText = AnalogRateLabelFor(controls.analogRate, controls.file).text;
  // 12. Once-per-hour boxes. The headings they call for are settled by the layout of
  // step 14, which applies the same rule.
  CheckOncePerHour(rec.OncePerHourMask(), controls);
  // 13. Time source, shown as the logger holds it.
  controls.timeSource = rec.TimeSource();
  // 14. Mode and its layout.
  controls.mode = rec.Mode();
  view.layout = ApplyModeLayout(controls, portLabels);
  // 15. The logger mode label follows controls.mode (the caller's part).
  // 16. The controls now show what the logger holds.
  view.setupCurrent = true;
  return view;
}

}  // namespace ql
