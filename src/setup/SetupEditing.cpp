#include "SetupEditing.h"

#include <algorithm>

#include "PortDeviceType.h"
#include "common/Format.h"

namespace ql {

void ApplyAnalogRateMinimums(SetupControls& controls) {
  for (int n = 0; n < kSerialPortCount; ++n) {
    const bool active = controls.portLine[n] > 0;
    if (!active) continue;
    if (controls.meter[n] == kDeviceBx5) controls.analogRate = std::max(controls.analogRate, 2);
    if (controls.meter[n] == kDeviceSpk) controls.analogRate = std::max(controls.analogRate, 4);
  }
}

void ClampToUpDowns(SetupControls& controls) {
  for (std::size_t f = 0; f < controls.times.size(); ++f) {
    int& position = controls.times[f].position;
    position = std::clamp(position, kTimeRanges[f].min, kTimeRanges[f].max);
  }
  controls.lowVoltageCutoff = std::clamp(controls.lowVoltageCutoff, kLowestCutoff, kHighestCutoff);
  controls.analogRate = std::clamp(controls.analogRate, kLowestAnalogRate, kHighestAnalogRate);
}

AnalogRateLabel AnalogRateLabelFor(int rate, int fileIndex) {
  const int period = rate != 0 ? 1000 / rate : 0;
  const Colour colour = fileIndex > 0 ? (rate > 6 ? kRed : kSilver) : (rate > 10 ? kYellow : kSilver);
  return {Format("%1d Hz  %4d ms", rate, period), colour};
}

std::string LowVoltageText(int cutoffTenths) { return Format("%4.1f V", cutoffTenths * 0.1); }

StoreIndicator StoreIndicatorFor(bool setupCurrent) {
  if (setupCurrent) return {"Setup is Current", kSilver};
  return {"Setup is Not Current", kYellow};
}

}  // namespace ql
