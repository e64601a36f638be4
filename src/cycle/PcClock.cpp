#include "PcClock.h"

#include "common/Calendar.h"
#include "common/Clock.h"
#include "common/Format.h"

namespace ql {

void RefreshPcClock(PcClock& pc, Clock& clock) {
  const Clock::Now now = clock.ReadNow();
  const bool sameSecond = now.utcSeconds == pc.utcSeconds && pc.secondShown != -1;
  pc.utcSeconds = now.utcSeconds;
  pc.milliseconds = now.milliseconds;
  // The zone and daylight saving change only on whole seconds; looking them up is the
  // dearest part of the tick, so it is done once a second.
  if (sameSecond) return;
  pc.hostSeconds = HostSecondsOf(clock, now.utcSeconds, &pc.daylight);
  if (pc.hostSeconds == pc.secondShown) return;

  pc.secondShown = pc.hostSeconds;
  const CalendarTime t = ToCalendar(pc.hostSeconds);
  pc.second = t.second;
  pc.minute = t.minute;
  pc.hour = t.hour;
  pc.day = t.day;
  pc.month = t.month;
  pc.year = t.year % 100;
  pc.dayOfYear = t.dayOfYear;
  pc.hostDateTime = Format("%02d/%02d/%02d  %02d:%02d:%02d", pc.month, pc.day, pc.year, pc.hour,
                           pc.minute, pc.second);
  pc.sleepHostTime = Format("%02d:%02d:%02d", pc.hour, pc.minute, pc.second);
  pc.sleepHostDate = Format("%02d/%02d/%02d", pc.month, pc.day, pc.year);
  if (pc.loggerClockFreshness > 0) {
    --pc.loggerClockFreshness;
  } else {
    pc.loggerClockColour = kYellow;
  }
}

}  // namespace ql
