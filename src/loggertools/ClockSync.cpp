#include "ClockSync.h"

#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"

namespace ql {

int64_t LoggerTimeOf(int64_t loggerSeconds, int64_t zoneOffset, bool daylight) {
  return loggerSeconds + zoneOffset - (daylight ? 3600 : 0);
}

bool ClockNeedsSetting(const ClockSync& sync, int64_t loggerTime, int64_t pcSeconds) {
  if (sync.syncNow) return true;
  return sync.autoSync && (loggerTime < pcSeconds - kClockTolerance || loggerTime > pcSeconds + kClockTolerance);
}

bool UpdateLoggerClock(ClockSync& sync, CommandSender& sender, int64_t loggerTime, int64_t pcSeconds,
                       int64_t hostSeconds) {
  if (!ClockNeedsSetting(sync, loggerTime, pcSeconds)) return false;
  sync.syncNow = false;
  sender.SendCommandArgs(CmdSetTime, 0, static_cast<uint32_t>(hostSeconds));
  return true;
}

void MenuAutoTimeUpdateClick(ClockSync& sync) { sync.autoSync = !sync.autoSync; }

void MenuUpdateTimeNowClick(ClockSync& sync) { sync.syncNow = true; }

void MooredTimeUpdatesClick(ClockSync& sync) { sync.mooredTimeSource = !sync.mooredTimeSource; }

}  // namespace ql
