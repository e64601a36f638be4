#pragma once

namespace ql {

class HostState;

// HostMode and LoggerMode: the host mode the operator chose and the logger's mode of
// operation from its last setup, coloured together while they disagree.
void ShowHostMode(HostState& host, int hostMode);
void ShowLoggerMode(HostState& host, int loggerMode);
void CompareHostAndLoggerModes(HostState& host);

}  // namespace ql
