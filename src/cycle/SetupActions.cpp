#include "SetupActions.h"

#include "FactoryActions.h"
#include "common/Operator.h"
#include "cycle/HostState.h"
#include "cycle/LinkHealth.h"
#include "cycle/ModeLabels.h"
#include "serial/CommandFrame.h"
#include "setup/SendSetup.h"

namespace ql {
namespace {

void RefreshAnalogRateLabel(HostState& host) {
  const SetupControls& c = host.setupPage.controls;
  host.setupPage.analogRate = AnalogRateLabelFor(c.analogRate, c.file);
}

void ApplyLayout(HostState& host) { ApplyHostModeLayout(host, IsMooredMode(host.setupPage.controls.mode)); }

// The logger states in which it takes a new setup request from the indicator.
bool AcceptsSetupRequest(int loggerState) { return loggerState == 9 || loggerState == 10 || loggerState == 30; }

// A host mode's item on one of the three setup combos.
int ModeComboIndex(const ModeCombo& combo, int current) {
  if (!combo.keepChoice) return combo.index;
  return current >= 0 ? current : combo.index;
}

}  // namespace

void CBPort1SetupChange(HostState& host) {
  SetSetupCurrent(host, false);
  ApplyAnalogRateMinimums(host.setupPage.controls);
  RefreshAnalogRateLabel(host);
  host.pending.setupControls = true;
}

// The labels beside the up-downs are redrawn at once: no status may come to redraw them
// while the logger sleeps or the operator edits offline.
void UDAnalogRateClick(HostState& host) {
  RefreshAnalogRateLabel(host);
  SetSetupCurrent(host, false);
  host.pending.setupControls = true;
}

void UDLVCutOffClick(HostState& host) {
  host.setupPage.lowVoltage = LowVoltageText(host.setupPage.controls.lowVoltageCutoff);
  SetSetupCurrent(host, false);
  host.pending.setupControls = true;
}

void ModeCBChange(HostState& host) {
  ApplyLayout(host);
  SetSetupCurrent(host, false);
}

void SetupEdited(HostState& host) { SetSetupCurrent(host, false); }

void BTSendSetup1Click(HostState& host) {
  SetupPageState& page = host.setupPage;
  const auto record = SendSetup(page.controls, page.meterType, host.records.setup, host.op);
  host.pending.setupControls = true;
  if (!record) return;
  RefreshAnalogRateLabel(host);
  host.sender.SendRecord(record->data(), static_cast<int>(record->size()));
}

void BTGetSetup1Click(HostState& host, SetupButton sender) {
  switch (sender) {
    case SetupButton::kGetSetup:
      host.sender.SendCommand(CmdGetSetup);
      break;
    case SetupButton::kStoreIndicator:
      if (AcceptsSetupRequest(host.statusMemory.loggerState)) {
        host.sender.SendCommand(CmdGetSetup);
      } else {
        host.op.Warning("Unable to Complete Command", "The Logger Must be in Standby before Sending a new Logger Setup");
      }
      break;
    case SetupButton::kBegin:
      host.sender.SendCommand(CmdBeginSample);
      break;
    case SetupButton::kGetHardware:
      host.sender.SendCommand(CmdGetHardware);
      break;
    case SetupButton::kGetAnalog:
      host.sender.SendCommand(CmdGetAnalogCal);
      break;
    case SetupButton::kQL9Defaults:
      LoadFactoryDefaults(host);
      break;
  }
}

void BTStopClick(HostState& host) { SendStop(host.sender, host.setupPage.controls.hostPortLine); }

void Button1Click(HostState& host, bool wake) { host.sender.SendText(wake ? " WAKE" : "SLEEP"); }

void LoadDefaultLoggerSetupClick(HostState& host) { ConfirmAndSend(host.sender, host.op, CmdLoadDefaultSetup); }

std::optional<ModeDisplay> SetupDisplayMode(HostState& host, int pendingMode) {
  SetupPageState& page = host.setupPage;
  const std::optional<ModeDisplay> display = DisplayForMode(pendingMode);
  if (display) {
    if (display->closeDeckPorts) {
      for (int n = 1; n <= DeckPorts::kPorts; ++n) {
        DeckPortRow& row = host.deckPorts.Row(n);
        row.comIndex = 0;
        host.ports.ConfigurePort(n, row.comIndex, row.lineIndex);
      }
    }
    if (display->closeLoggerPort) {
      host.loggerPort.comIndex = 0;
      LoggerPortCBChange(host);
    }
    SetupControls& c = page.controls;
    c.autoStart = display->autoStartChecked;
    c.mode = ModeComboIndex(display->modeCB, c.mode);
    c.file = ModeComboIndex(display->fileCB, c.file);
    c.output = ModeComboIndex(display->outputCB, c.output);
    c.timeSource = 0;
    // The mode hides the fault panels; forgetting what they showed lets the next tick
    // show again whatever is still true.
    host.flashPanelVisible = false;
    host.records.shownBadFlash = LoggerRecords::kBadFlashNotShown;
    host.statusMemory.remoteHostShown = false;
    host.recording.replay.controlsVisible.fill(false);  // no host mode offers replay
    host.loggerPort.groupVisible = display->loggerPort;
    host.loggerPort.panelVisible = display->loggerPort;
    host.loggerPort.offered = display->loggerPort;
    host.loggerPort.menuOffered = display->loggerPort;
    host.layoutDirty = true;
  }
  ShowHostMode(host, pendingMode);
  ApplyLayout(host);
  RefreshAnalogRateLabel(host);
  SetSetupCurrent(host, false);
  return display;
}

void ApplyHostModeLayout(HostState& host, bool moored) {
  SetupPageState& page = host.setupPage;
  page.layout = ApplyModeLayout(page.controls, moored, page.portLabels);
  if (page.layout.hideOncePerHourBoxes) page.oncePerHourBoxes = {};
  host.pending.setupControls = true;
}

std::optional<ModeDisplay> ChooseHostMode(HostState& host, int hostMode) {
  SetSetupCurrent(host, false);
  return SetupDisplayMode(host, hostMode);
}

}  // namespace ql
