#include "HeadlessHost.h"

#include "common/Format.h"
#include "cycle/Cycle.h"
#include "cycle/LinkHealth.h"
#include "flash/RunUpload.h"

namespace ql {

HeadlessHost::HeadlessHost(SerialDeviceFactory deviceFactory, Clock& clock)
    : host_(std::move(deviceFactory), clock, person_) {
  host_.ports.InitPortTable();
  // A command line sets the logger's clock only when told to.
  host_.clockSync.autoSync = false;
  host_.flash.upload.timeoutEnabled = false;
}

bool HeadlessHost::Open(const PortChoice& choice, std::string& error) {
  choice_ = choice;
  std::string problems;
  host_.ports.SetComPortMap(PortMapFor(choice, problems));
  if (!problems.empty()) {
    error = "comports.txt: " + problems;
    return false;
  }
  LoggerPortControls& port = host_.loggerPort;
  port.comIndex = ComToOpen(choice);
  port.lineIndex = choice.lineIndex;
  if (choice.autoBaud) AutoBaudRateDetectionClick(host_);
  person_.TakeMessages();
  LoggerPortCBChange(host_);
  if (host_.ports.IsPortOpen(PortTable::kLoggerSlot)) return true;
  const std::string device = host_.ports.Map().DeviceName(port.comIndex);
  std::string reason;
  for (const std::string& m : person_.TakeMessages()) reason += (reason.empty() ? "" : "; ") + m;
  error = Format("cannot open %s (%s)", device.c_str(), reason.c_str());
  return false;
}

bool HeadlessHost::Reopen() {
  // Opened quietly: the caller says once that the link is lost, not at every try.
  std::string problems;
  host_.ports.SetComPortMap(PortMapFor(choice_, problems));
  ReopenLoggerPort(host_);
  return PortOpen();
}

void HeadlessHost::FastTick() { Timer10msTimer(host_); }

void HeadlessHost::SecondTick() {
  Timer475msTimer(host_);
  Timer1000msTimer(host_);
}

void HeadlessHost::TimeoutTick() { TTimeoutTimer(host_.flash); }

std::optional<StatusReport> HeadlessHost::TakeStatus() {
  if (!host_.pending.status) return std::nullopt;
  StatusReport report = MakeStatusReport(host_.records.status, *host_.pending.status, host_.statusMemory,
                                         host_.pc.hostSeconds, host_.records.badFlash);
  host_.pending.status.reset();
  return report;
}

std::optional<SetupControls> HeadlessHost::TakeSetup() {
  if (!host_.pending.setup) return std::nullopt;
  host_.pending.setup.reset();
  host_.pending.setupControls = false;
  return host_.setupPage.controls;
}

}  // namespace ql
