#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ql {

class Clock;
class CommandSender;
class Operator;

// The wake-up moment as the operator types it in the sleep dialog.
struct SleepTimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};
struct SleepDate {
  int month = 1;
  int day = 1;
  int year = 2000;  // full year
};

// The logger counts its clock in 32 bits of seconds: the last year it can wake in.
inline constexpr int kLastSleepYear = 2037;
// A wake-up sooner than this after now is refused.
inline constexpr int64_t kSleepLeadSeconds = 30;

// "HH:MM:SS" (read as "%d:%d:%d"): three fields, hour 0..23, minute and second 0..59.
std::optional<SleepTimeOfDay> ParseSleepTime(const std::string& text);

// "MM/DD/YY" (read as "%d/%d/%d"): day 1..31, month 1..12, a year 0..37 for 2000..2037 or
// a four-digit year above 2000. A four-digit year past 2037 passes this check.
std::optional<SleepDate> ParseSleepDate(const std::string& text);

// The wake-up moment as PC seconds (UTC): the fields taken as local standard time, days
// past the month's end carried into the next, an hour earlier while the PC is in daylight
// saving time now (whatever the season of the wake-up date).
int64_t WakeUpMoment(const SleepDate& date, const SleepTimeOfDay& time, int64_t zoneOffset, bool daylightNow);

// SleepButtonClick: checks the typed texts, asks the operator to confirm, refuses a
// moment less than 30 seconds ahead, and sends CmdSleepUntil with the wake-up moment in
// host seconds. Every refusal is told in a box and sends nothing. Returns true when the
// command went out (the dialog then hides).
bool SleepButtonClick(const std::string& timeText, const std::string& dateText, bool daylightNow, Clock& clock,
                      Operator& op, CommandSender& sender);

}  // namespace ql
