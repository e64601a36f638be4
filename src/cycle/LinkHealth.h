#pragma once

namespace ql {

class HostState;

// LoggerPortCBChange: the logger port's COM or line combo changed; reopen slot 0.
void LoggerPortCBChange(HostState& host);
// The logger port opened again as its combos stand, with no box when it fails: an
// adapter being waited for is tried every few seconds.
void ReopenLoggerPort(HostState& host);

// The "Logger Port Setup" group: shown by start-up, link-health warnings and auto baud;
// toggled by the menu item and its "X" panel.
void ShowLoggerPortSetup(HostState& host);
void ShowLoggerPortSetupClick(HostState& host);

// Menu item "Auto Baud Rate Detection".
void AutoBaudRateDetectionClick(HostState& host);

// The one-second check of the link-health timers, with automatic baud-rate detection.
void CheckLinkHealth(HostState& host);

}  // namespace ql
