#pragma once

#include <string>

#include "SetupControls.h"
#include "common/Colour.h"

namespace ql {

// Raises UDAnalogRate to what the active instruments need: a bx5 on an active port needs
// 2 Hz, an SPK 4 Hz. The rate is never lowered here.
void ApplyAnalogRateMinimums(SetupControls& controls);

// Brings the times, the cut-off and the analog rate into their up-downs' ranges. A
// setup from the logger may hold values no up-down can show; the record sent is built
// from these fields, so it then carries what the page shows.
void ClampToUpDowns(SetupControls& controls);

// LBAnalogRate: rate and period, coloured by what the logger can keep up with. Archive
// files limit the rate more than real-time output does.
struct AnalogRateLabel {
  std::string text;
  Colour colour;

  bool operator==(const AnalogRateLabel&) const = default;
};
AnalogRateLabel AnalogRateLabelFor(int rate, int fileIndex);

// LBLowVoltage for a UDLVCutOff position in tenths of a volt.
std::string LowVoltageText(int cutoffTenths);

// PStore, the indicator of whether the setup controls show what the logger holds.
struct StoreIndicator {
  const char* text;
  Colour colour;
};
StoreIndicator StoreIndicatorFor(bool setupCurrent);

}  // namespace ql
