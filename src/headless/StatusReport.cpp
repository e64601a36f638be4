#include "StatusReport.h"

#include "common/Calendar.h"

namespace ql {

std::string WallClockText(int64_t seconds) { return FormatCalendar("%Y-%m-%d %H:%M:%S", ToCalendar(seconds)); }

StatusReport MakeStatusReport(const StatusBytes& status, const StatusDisplay& display, const StatusMemory& memory,
                              int64_t pcSeconds, int badFlash) {
  const LoggerStatus s(status);
  StatusReport r;
  r.state = s.State();
  r.stateText = display.operation;
  r.loggerSeconds = s.LoggerSeconds();
  r.pcSeconds = pcSeconds;
  r.loggerTime = WallClockText(r.loggerSeconds);
  r.pcTime = WallClockText(pcSeconds);
  r.driftSeconds = r.loggerSeconds - pcSeconds;
  r.driftText = display.drift.text;
  r.run = s.RunNumber() < 0 ? -1 : s.RunNumber();
  r.timeLeft = display.timeLeft;
  r.batteryMillivolts = s.CurrentMillivolts();
  r.batteryText = display.currentVolts;
  r.memoryFreeBytes = s.FileBytes(LoggerStatus::kFreeFlash);
  r.memoryTotalBytes = s.FileBytes(LoggerStatus::kTotalFlash);
  r.memoryFreeText = display.freeDisk;
  r.memoryTotalText = display.totalDisk;
  r.badFlash = badFlash;
  r.loggerId = s.LoggerId();
  r.loggerName = memory.loggerName;
  return r;
}

}  // namespace ql
