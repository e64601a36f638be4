#pragma once

#include <optional>
#include <string>

#include "setup/ModeLayout.h"
#include "setup/SetupControls.h"
#include "setup/SetupEditing.h"
#include "setup/ReceivedSetup.h"
#include "status/StatusDecoder.h"

namespace ql {

class HostState;

// What the setup pages show and the host knows about the logger's setup; the window
// mirrors it into the Port Setup and Logger Control pages.
struct SetupPageState {
  SetupControls controls;
  bool setupCurrent = false;  // SetupCurrent, shown by PStore
  // The hardware meter type the host knows: -1 until a status or a hardware
  // configuration names it. Port 1's device type in a sent setup depends on it.
  int meterType = -1;
  // Port labels of the Port Setup page (all shown until a status names the fitted ports)
  // and the once-per-hour boxes (hidden at start).
  PortRowsShown portLabels = AllRows();
  PortRowsShown oncePerHourBoxes;
  ModeLayout layout;
  AnalogRateLabel analogRate = AnalogRateLabelFor(1, -1);
  std::string lowVoltage = LowVoltageText(65);

  // LoggerMode: hidden until the first setup is decoded. HostMode and LoggerMode are
  // coloured together when the two modes disagree.
  bool loggerModeVisible = false;
  int loggerMode = -1;
  std::string loggerModeText;
  bool modesDisagree = false;

  static PortRowsShown AllRows() {
    PortRowsShown rows;
    rows.serial.fill(true);
    rows.analog.fill(true);
    rows.pump.fill(true);
    return rows;
  }
};

// What the last received setup and status put on the screen besides the setup controls;
// the window applies each once and empties it.
struct PendingDisplay {
  std::optional<ReceivedSetupView> setup;
  std::optional<StatusDisplay> status;
  bool setupControls = false;  // the setup controls changed under the operator
};

// SetupCurrent changes re-lay the left-hand column, where PStore shows it.
void SetSetupCurrent(HostState& host, bool current);

}  // namespace ql
