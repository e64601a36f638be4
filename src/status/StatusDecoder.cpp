#include "StatusDecoder.h"

#include "Firmware.h"
#include "common/Calendar.h"
#include "common/Format.h"
#include "setup/MeterType.h"

namespace ql {
namespace {

constexpr uint16_t kRemoteHostOn = 1u << 9;

// RemoteHostPanel follows the logger's remote-host switch, told only on a change.
std::optional<bool> ShowRemoteHost(bool on, StatusMemory& memory) {
  if (on == memory.remoteHostShown) return std::nullopt;
  memory.remoteHostShown = on;
  return on;
}

// LBRunStop changes only when the switch does.
std::optional<RunStopDisplay> ShowRunStopSwitch(int code, StatusMemory& memory) {
  if (memory.runStopShown == code) return std::nullopt;
  memory.runStopShown = code;
  return RunStopFor(code);
}

std::optional<MeterCaptions> CaptionsFor(int meterType, std::string& loggerName) {
  switch (meterType) {
    case kMeterBx5Plus: loggerName = "BX5+"; return MeterCaptions{"Clear BX5+ Memory", "Get BX5+ Directory"};
    case kMeterQl9: loggerName = "QL-9"; return MeterCaptions{"Clear QL-9 Memory", "Get QL-9 Directory"};
    case kMeterExtPlus:
      loggerName = "K-Plus";
      return MeterCaptions{"Clear K-Plus Memory", "Get K-Plus Directory"};
    default: return std::nullopt;
  }
}

long RunBytes(const LoggerStatus& s) {
  long sum = 0;
  for (int entry = 1; entry <= LoggerStatus::kFurtherRunFile; ++entry) sum += s.FileBytes(entry);
  return sum;
}

}  // namespace

StatusDisplay DecodeStatusToClock(const StatusBytes& status, StatusMemory& memory, bool mooredLayout) {
  const LoggerStatus s(status);
  StatusDisplay d;
  // 1. The group's normal look; the logger clock is fresh again (defaults of d).
  // 2. Port rows.
  d.remoteHostVisible = ShowRemoteHost((s.SerialMask() & kRemoteHostOn) != 0, memory);
  d.rowCaptions = UpdateRowCaptions(s.MeterType(), memory.cache);
  d.ports = UpdatePortVisibility({s.SerialMask(), s.AnalogMask(), s.PumpMask(), s.PowerBits()}, mooredLayout,
                                 memory.cache);
  // 3. Logger ID; one outside 1..254 must be set before the logger is of use.
  d.currentMuxId = Format("Current Logger ID:  %3d", s.LoggerId());
  d.askLoggerId = s.LoggerId() < 1 || s.LoggerId() > 254;
  // 4. Run/stop switch.
  d.runStop = ShowRunStopSwitch(s.RunStopSwitch(), memory);
  // 5. Run number.
  d.runNumber = s.RunNumber() < 0 ? std::string("Run Number:") : Format("Run Number:  %03d", s.RunNumber());
  // 6. Run size: every file of the run, the analog file and the further file included.
  d.runSize = Format("Run File Size:  %ld K", RunBytes(s) / 1024);
  // 7. Power switches.
  d.power = PowerText(s.PowerBits());
  // 8. Host variables.
  d.meterType = s.MeterType();
  memory.loggerState = s.State();
  // 9. Firmware older than this host knows is told once a run; decoding goes on.
  memory.firmwareVersion = DecodeFirmware(s.FirmwareWord()).version;
  if (memory.firmwareVersion < kOldestFirmware && !memory.firmwareWarned) {
    memory.firmwareWarned = true;
    d.firmwareWarning = Format("This Host Program is incompatible with Firmware Version %4.2f",
                               static_cast<double>(memory.firmwareVersion));
  }
  // 10. Captions naming the logger.
  d.meterCaptions = CaptionsFor(s.MeterType(), memory.loggerName);
  // 11. Logger clock.
  memory.loggerSeconds = s.LoggerSeconds();
  const CalendarTime t = ToCalendar(memory.loggerSeconds);
  d.loggerDateTime = FormatCalendar("%m/%d/%y   %H:%M:%S", t);
  d.sleepTime = FormatCalendar("%H:%M:%S", t);
  d.sleepDate = FormatCalendar("%m/%d/%y", t);
  return d;
}

void DecodeStatusFromDrift(const StatusBytes& status, int64_t hostSeconds, StatusDisplay& d) {
  const LoggerStatus s(status);
  // 12. Drift between the logger's clock and the PC's.
  d.drift = DriftFor(s.LoggerSeconds(), hostSeconds);
  // 13. State.
  d.operation = OperationText(s.State());
  // 14. Time left in the state.
  d.timeLeft = TimeLeftText(s.SecondsLeft());
  // 15. Supply voltages.
  d.currentVolts = VoltsText(s.CurrentMillivolts());
  d.startVolts = VoltsText(s.StartMillivolts());
  d.endVolts = VoltsText(s.EndMillivolts());
  // 16. Flash memory.
  d.freeDisk = Format("%ld K", static_cast<long>(s.FileBytes(LoggerStatus::kFreeFlash) / 1024));
  d.totalDisk = Format("%ld K", static_cast<long>(s.FileBytes(LoggerStatus::kTotalFlash) / 1024));
  // 17. Analog inputs in volts and the analog file.
  for (int input = 1; input <= kAnalogPortCount; ++input) {
    d.analogValues[input - 1] = Format("%5.3f", s.AnalogMillivolts(input) * 0.001);
  }
  d.analogFileSize = AnalogFileSizeText(s.FileBytes(LoggerStatus::kAnalogFile));
  // 18. Per serial port.
  for (int port = 1; port <= kSerialPortCount; ++port) {
    const PortRateDisplay rate = PortRateFor(s.PortRate(port));
    d.portRows[port - 1] = {rate.caption, rate.value, PortFileSizeText(s.FileBytes(port))};
  }
}

}  // namespace ql
