#include "LinkHealth.h"

#include "HostState.h"

namespace ql {
namespace {

void ResetLinkTimers(CycleState& cycle) {
  cycle.noDataTimer = 2;
  cycle.badDataTimer = 3;
}

// The next line setting to try: one index down, from "600" round to "115200".
int NextAutoBaudSetting(int lineIndex) { return lineIndex - 1 >= 1 ? lineIndex - 1 : kLine115200; }

}  // namespace

void LoggerPortCBChange(HostState& host) {
  ResetLinkTimers(host.cycle);
  host.receiver.FlushReceiver();
  host.ports.ConfigurePort(PortTable::kLoggerSlot, host.loggerPort.comIndex, host.loggerPort.lineIndex);
}

void ReopenLoggerPort(HostState& host) {
  ResetLinkTimers(host.cycle);
  host.receiver.FlushReceiver();
  host.ports.ConfigurePort(PortTable::kLoggerSlot, host.loggerPort.comIndex, host.loggerPort.lineIndex, true);
}

void ShowLoggerPortSetup(HostState& host) {
  host.loggerPort.groupVisible = true;
  host.layoutDirty = true;
}

void ShowLoggerPortSetupClick(HostState& host) {
  host.loggerPort.groupVisible = !host.loggerPort.groupVisible;
  host.layoutDirty = true;
}

void AutoBaudRateDetectionClick(HostState& host) {
  LoggerPortControls& port = host.loggerPort;
  if (port.autoBaud) {
    port.autoBaud = false;
    return;
  }
  port.autoBaud = true;
  host.cycle.badDataTimer = 5;
  // Only the combo moves; the port is reconfigured by the first step.
  port.lineIndex = kLine115200;
  ShowLoggerPortSetup(host);
}

void CheckLinkHealth(HostState& host) {
  CycleState& cycle = host.cycle;
  LoggerPortControls& port = host.loggerPort;
  if (cycle.noDataTimer < 0) {
    ResetLinkTimers(cycle);
    if (port.comIndex > 0) {
      ShowLoggerPortSetup(host);
      port.comColour = kRed;
      port.panelColour = kRed;
    }
  }
  if (cycle.badDataTimer < 0) {
    ResetLinkTimers(cycle);
    ShowLoggerPortSetup(host);
    port.lineColour = kRed;
    port.panelColour = kRed;
    if (port.autoBaud) {
      port.lineIndex = NextAutoBaudSetting(port.lineIndex);
      host.ports.ConfigurePort(PortTable::kLoggerSlot, port.comIndex, port.lineIndex);
      host.receiver.FlushReceiver();
      cycle.badDataTimer = 5;
    }
  }
}

}  // namespace ql
