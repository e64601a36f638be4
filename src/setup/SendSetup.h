#pragma once

#include <optional>

#include "LoggerSetup.h"
#include "SetupControls.h"

namespace ql {

class Operator;

// Whether every combo the logger setup is built from shows an item.
bool SetupControlsValid(const SetupControls& controls);

// "Send Setup": checks the controls, applies the analog-rate minimums, builds the record
// into `record` (the host's one copy, whose reserved bytes go back unchanged) and returns
// the 192 bytes to write to the logger port, or nothing when the controls are invalid.
// The operator is warned, and the send still goes on, when real-time output is combined
// with internal recording. SetupCurrent is left as it is.
std::optional<SetupBytes> SendSetup(SetupControls& controls, int meterType, SetupBytes& record, Operator& op);

}  // namespace ql
