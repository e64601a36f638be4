#pragma once

#include <cstdint>

namespace ql {

class CommandSender;

// The logger keeps its own clock in local wall-clock seconds; the host sets it from the
// PC's. These are the three clock items of the Commands menu.
struct ClockSync {
  bool autoSync = true;           // MenuAutoTimeUpdate, checked at start
  bool syncNow = false;           // MenuUpdateTimeNow: set by a click, cleared when the command goes out
  bool mooredTimeSource = false;  // MenuMooredTimeUpdate: TimeSourceLB and TimeSourceCB shown
};

// A logger clock this many seconds off the PC's, or less, is left alone.
inline constexpr int64_t kClockTolerance = 5;

// The logger clock (local wall-clock seconds) as PC seconds (UTC), by the daylight flag
// of the PC clock's last refresh.
int64_t LoggerTimeOf(int64_t loggerSeconds, int64_t zoneOffset, bool daylight);

// Whether the clock update rule sets the logger's clock at this status.
bool ClockNeedsSetting(const ClockSync& sync, int64_t loggerTime, int64_t pcSeconds);

// The clock update rule, once per status, with the PC clock freshly read: when due, the
// request is used up and CmdSetTime carries the current host seconds. Nothing waits for
// an answer; a lost command is simply sent again at the next status. Returns whether it sent.
bool UpdateLoggerClock(ClockSync& sync, CommandSender& sender, int64_t loggerTime, int64_t pcSeconds,
                       int64_t hostSeconds);

// The menu items. A second "Synchronize Time Now" before the next status changes nothing.
void MenuAutoTimeUpdateClick(ClockSync& sync);
void MenuUpdateTimeNowClick(ClockSync& sync);
void MooredTimeUpdatesClick(ClockSync& sync);

}  // namespace ql
