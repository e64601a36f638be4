#pragma once

#include <string>

#include "AnalogCalibration.h"
#include "FactoryPassword.h"
#include "HardwareConfig.h"

namespace ql {

// The hardware page: its controls (the host's hardware settings, DeviceTypeCB aside),
// the password typed on it, and whether it shows what the logger holds.
struct HardwarePageState {
  static constexpr const char* kPanelText = "Hardware Setup is Not Current";
  HardwareControls controls;
  std::string password = "Enter Password";  // HWPassword
  bool current = false;                     // HardwareCurrent; HardwarePanel shows while false
};

// The analog calibration page: the texts of its edits, its password and whether it
// shows what the logger holds.
struct AnalogPageState {
  static constexpr const char* kPanelText = "Analog Calibration is Not Current";
  AnalogControls controls = DefaultAnalogControls();
  std::string password = "Enter Password";  // ALGPassword
  bool current = false;                     // AnalogCurrent; AnalogPanel shows while false
};

// Menu captions of a page's toggle: before the first toggle, while hidden, while shown.
struct PageToggleCaptions {
  const char* initial;
  const char* show;
  const char* hide;
};
inline constexpr PageToggleCaptions kHardwareToggle = {"Show Hardware Configuration", "Show Hardware Setup",
                                                       "Hide Hardware Setup"};
inline constexpr PageToggleCaptions kAnalogToggle = {"Show Analog Calibration", "Show Analog Calibration",
                                                     "Hide Analog Calibration"};

// The logger's factory records as the host edits them: both pages and the password
// gate they share. The records themselves are the host's received copies.
struct FactorySettings {
  HardwarePageState hardware;
  AnalogPageState analog;
  FactoryPassword password;
  // A calibration packet changed the edits inside the fast tick; the window loads the
  // page and clears the flag.
  bool analogPageChanged = false;
};

}  // namespace ql
