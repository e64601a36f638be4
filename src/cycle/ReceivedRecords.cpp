#include "ReceivedRecords.h"

#include "HostModes.h"
#include "HostState.h"

namespace ql {

void SetSetupCurrent(HostState& host, bool current) {
  host.setupPage.setupCurrent = current;
  host.layoutDirty = true;
}

void CompareHostAndLoggerModes(HostState& host) {
  SetupPageState& page = host.setupPage;
  if (const auto colour = CompareModes(page.loggerModeVisible, host.hostMode, page.loggerMode)) {
    page.modesDisagree = *colour == ModeColour::kMismatch;
  }
}

void ShowLoggerMode(HostState& host, int loggerMode) {
  SetupPageState& page = host.setupPage;
  page.loggerMode = loggerMode;
  page.loggerModeText = LoggerModeText(loggerMode, page.meterType);
  page.loggerModeVisible = true;
  CompareHostAndLoggerModes(host);
}

void ShowLoggerSetup(HostState& host) {
  SetupPageState& page = host.setupPage;
  ReceivedSetupView view = ShowReceivedSetup(host.records.setup, page.controls, page.portLabels);
  page.layout = view.layout;
  if (view.layout.hideOncePerHourBoxes) page.oncePerHourBoxes = {};
  page.analogRate.text = view.analogRateText;
  page.lowVoltage = view.lowVoltageText;
  host.loggerPort.lineIndex = view.loggerLineSetting;
  ShowLoggerMode(host, page.controls.mode);
  SetSetupCurrent(host, view.setupCurrent);
  host.records.setupReceived = false;
  host.pending.setup = std::move(view);
  host.pending.setupControls = true;
}

void DecodeLoggerStatus(HostState& host) {
  SetupPageState& page = host.setupPage;
  StatusDisplay display = DecodeStatusToClock(host.records.status, host.statusMemory, page.layout.moored);
  page.meterType = display.meterType;
  host.pc.loggerClockFreshness = display.loggerClockFreshness;
  host.pc.loggerClockColour = display.dateTimeColour;
  RefreshPcClock(host.pc, host.clock);
  DecodeStatusFromDrift(host.records.status, host.pc.hostSeconds, display);

  if (display.ports) {
    page.portLabels = display.ports->rows;
    page.oncePerHourBoxes = display.ports->oncePerHourBoxes;
    page.layout.headings = display.ports->headings;
    if (display.ports->uncheckOncePerHour) {
      UncheckOncePerHour(page.controls);
      host.pending.setupControls = true;
    }
  }
  if (display.meterCaptions) host.uploadCaptions = *display.meterCaptions;
  if (display.remoteHostVisible) host.layoutDirty = true;
  host.records.statusReceived = false;
  host.pending.status = std::move(display);
}

}  // namespace ql
