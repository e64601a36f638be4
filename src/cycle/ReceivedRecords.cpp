#include "ReceivedRecords.h"

#include "HostState.h"
#include "ModeLabels.h"
#include "common/Operator.h"
#include "common/Clock.h"
#include "loggertools/ClockSync.h"

namespace ql {

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

namespace {

// While a file is being recorded, each status also becomes a row of that file's status log.
void LogStatus(HostState& host, const std::string& stateText) {
  const std::string error = host.statusLog.Log(host.recording.RecordedFile(), host.pc.UtcMilliseconds(),
                                               host.records.status, stateText);
  if (!error.empty()) host.op.Warning("Status Log", error);
}

}  // namespace

void DecodeLoggerStatus(HostState& host) {
  SetupPageState& page = host.setupPage;
  StatusDisplay display = DecodeStatusToClock(host.records.status, host.statusMemory, page.layout.moored);
  page.meterType = display.meterType;
  host.pc.loggerClockFreshness = display.loggerClockFreshness;
  host.pc.loggerClockColour = display.dateTimeColour;
  // The logger's clock against the PC's: the logger time by the daylight flag of the last
  // refresh, then a fresh PC clock; the drift shown below is the difference before any
  // correction takes effect.
  const int64_t loggerTime =
      LoggerTimeOf(host.statusMemory.loggerSeconds, host.clock.ZoneOffsetSeconds(), host.pc.daylight);
  RefreshPcClock(host.pc, host.clock);
  UpdateLoggerClock(host.clockSync, host.sender, loggerTime, host.pc.utcSeconds, host.pc.hostSeconds);
  DecodeStatusFromDrift(host.records.status, host.pc.hostSeconds, display);
  host.plot.AddStatus(host.records.status, host.pc.UtcSeconds());
  LogStatus(host, display.operation);

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
