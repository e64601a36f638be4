#pragma once

#include "LoggerSetup.h"
#include "MeterType.h"
#include "SetupControls.h"

namespace ql {

// Fills the setup record from the controls and seals it, leaving its reserved bytes as
// they are. Three controls change on the way, as the operator then sees them:
// CBPort1Setup goes to "19200" on a meter's port 1, UDAnalogRate drops to 8 outside the
// Real Time and Analog modes, and TimeSourceCB returns to its first item.
void BuildSetupRecord(SetupControls& controls, int meterType, SetupBytes& record);

}  // namespace ql
