#pragma once

#include <array>
#include <string>

#include "LoggerSetup.h"
#include "ModeLayout.h"
#include "SetupControls.h"

namespace ql {

// Everything a received setup changes besides the setup controls themselves.
struct ReceivedSetupView {
  // Data Status port labels M1..M8: type, byte count and file size.
  std::array<std::string, kSerialPortCount> typeLabels;
  std::array<std::string, kSerialPortCount> statusLabels;
  std::array<std::string, kSerialPortCount> fileSizeLabels;
  // LoggerSetupCB and the logger port's slot take the logger's own line, so the host
  // reopens its port at the logger's speed. CBHostPortSetup holds the same index.
  int loggerLineSetting = 6;
  std::array<std::string, kAnalogPortCount> analogValues;  // Analog1..Analog7
  std::string lowVoltageText;                              // LBLowVoltage
  std::string analogRateText;                              // LBAnalogRate
  ModeLayout layout;
  bool setupCurrent = true;  // SetupCurrent
};

// Loads the setup controls from a setup the logger sent. The record itself is corrected
// where the logger sent an analog rate below 1. The caller applies the view, shows the
// logger mode of controls.mode in LoggerMode, clears SetupReceived and then runs the
// logger port change handler. `portLabels` are the Port Setup labels now visible.
ReceivedSetupView ShowReceivedSetup(SetupBytes& record, SetupControls& controls,
                                    const PortRowsShown& portLabels);

}  // namespace ql
