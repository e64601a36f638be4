#include "SleepRequest.h"

#include <cctype>
#include <climits>
#include <cstdlib>

#include "common/Calendar.h"
#include "common/Clock.h"
#include "common/Format.h"
#include "common/Operator.h"
#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"

namespace ql {
namespace {

// Reads up to three decimal integers separated by `separator` the way "%d<sep>%d<sep>%d"
// does: blanks before a number are skipped, the separator must follow the number at
// once. Returns how many were read. Numbers too large for an int read as INT_MAX or
// INT_MIN, so that no range check lets them through.
int ScanThree(const std::string& text, char separator, int (&fields)[3]) {
  const char* p = text.c_str();
  for (int n = 0; n < 3; ++n) {
    if (n > 0) {
      if (*p != separator) return n;
      ++p;
    }
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    const char* digits = *p == '+' || *p == '-' ? p + 1 : p;
    if (!std::isdigit(static_cast<unsigned char>(*digits))) return n;
    char* end = nullptr;
    const long long value = std::strtoll(p, &end, 10);
    fields[n] = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
    p = end;
  }
  return 3;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

std::optional<SleepTimeOfDay> ParseSleepTime(const std::string& text) {
  int f[3] = {};
  if (ScanThree(text, ':', f) != 3) return std::nullopt;
  if (!InRange(f[0], 0, 23) || !InRange(f[1], 0, 59) || !InRange(f[2], 0, 59)) return std::nullopt;
  return SleepTimeOfDay{f[0], f[1], f[2]};
}

std::optional<SleepDate> ParseSleepDate(const std::string& text) {
  int f[3] = {};
  if (ScanThree(text, '/', f) != 3) return std::nullopt;
  const int month = f[0];
  const int day = f[1];
  const int year = f[2];
  if (!InRange(day, 1, 31) || !InRange(month, 1, 12)) return std::nullopt;
  // Two digits mean 2000..2037; 2000 itself is written 0 or 00.
  if (InRange(year, 0, 37)) return SleepDate{month, day, 2000 + year};
  if (year > 2000) return SleepDate{month, day, year};
  return std::nullopt;
}

int64_t WakeUpMoment(const SleepDate& date, const SleepTimeOfDay& time, int64_t zoneOffset, bool daylightNow) {
  const int64_t wallClock = FromCalendar(date.year, date.month, date.day, time.hour, time.minute, time.second);
  return wallClock + zoneOffset - (daylightNow ? 3600 : 0);
}

bool SleepButtonClick(const std::string& timeText, const std::string& dateText, bool daylightNow, Clock& clock,
                      Operator& op, CommandSender& sender) {
  // 1. The time of day.
  const std::optional<SleepTimeOfDay> time = ParseSleepTime(timeText);
  if (!time) {
    op.Warning("Time Format Error", "Time format is HH:MM:SS");
    return false;
  }
  // 2. The date. A year the logger's clock cannot reach is refused before anything is
  // worked out from it.
  const std::optional<SleepDate> date = ParseSleepDate(dateText);
  if (!date) {
    op.Warning("Date Format Error", Format("Date %s is Invalid\n\nDate Format is MM/DD/YY", dateText.c_str()));
    return false;
  }
  if (date->year > kLastSleepYear) {
    op.Warning("Date Range Error",
               Format("Date %s is too late\n\nThe logger can sleep until the end of 2037 at the latest",
                      dateText.c_str()));
    return false;
  }
  // 3. The moment, by the daylight flag of now.
  const int64_t wakeUp = WakeUpMoment(*date, *time, clock.ZoneOffsetSeconds(), daylightNow);
  // 4. The operator confirms the moment as the PC's local time shows it.
  Operator::Question confirm;
  confirm.caption = "QL-9 Sleep Option";
  confirm.text = FormatCalendar("Sleep Until %H:%M:%S on %m/%d/%y ?", ToCalendar(HostSecondsOf(clock, wakeUp)));
  confirm.buttons = Operator::Buttons::OkCancel;
  confirm.icon = Operator::Icon::Exclamation;
  confirm.beepFirst = true;
  if (op.Ask(confirm) != Operator::Answer::Ok) return false;
  // 5. Far enough ahead for the logger to take it.
  if (wakeUp < clock.ReadNow().utcSeconds + kSleepLeadSeconds) {
    op.Warning("Sleep Error", "You must specify a time at least 30 seconds later than the current time");
    return false;
  }
  // 6. The wake-up moment in host seconds.
  const int64_t hostSeconds = wakeUp - clock.ZoneOffsetSeconds() + (daylightNow ? 3600 : 0);
  sender.SendCommandArgs(CmdSleepUntil, 0, static_cast<uint32_t>(hostSeconds));
  return true;
}

}  // namespace ql
