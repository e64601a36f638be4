#pragma once

namespace ql {

class HostState;

// The one-second tick's work on flagged packets.

// A setup the logger sent: load the setup controls, mark the setup current and show
// the logger's mode. The caller reopens the logger port afterwards.
void ShowLoggerSetup(HostState& host);

// A status the logger sent: decode it into the status display and the host's view of
// the logger (state, meter type, clock, fitted ports).
void DecodeLoggerStatus(HostState& host);

}  // namespace ql
