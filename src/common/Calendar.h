#pragma once

#include <cstdint>
#include <string>

namespace ql {

// Calendar fields of a count of seconds since 1970-01-01 00:00:00, taken as wall-clock
// time with no zone applied. Host seconds and logger clocks are of this kind.
struct CalendarTime {
  int year = 1970;  // full year
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int dayOfYear = 1;  // 1..366
};

CalendarTime ToCalendar(int64_t seconds);
int64_t FromCalendar(int year, int month, int day, int hour, int minute, int second);

// strftime-like formatting of the fields, for the few directives the host uses:
// %m %d %y %H %M %S.
std::string FormatCalendar(const char* format, const CalendarTime& t);

}  // namespace ql
