#include "Calendar.h"

#include "Format.h"

namespace ql {
namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

CalendarTime ToCalendar(int64_t seconds) {
  int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    days -= 1;
  }
  CalendarTime t;
  CivilFromDays(days, t.year, t.month, t.day);
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest % 3600 / 60);
  t.second = static_cast<int>(rest % 60);
  t.dayOfYear = static_cast<int>(days - DaysFromCivil(t.year, 1, 1)) + 1;
  return t;
}

int64_t FromCalendar(int year, int month, int day, int hour, int minute, int second) {
  // Months outside 1..12 carry into the year, days and times carry forward, the way
  // the C library's conversion normalises them.
  int64_t y = year + (month - 1) / 12;
  int m = (month - 1) % 12;
  if (m < 0) {
    m += 12;
    y -= 1;
  }
  const int64_t days = DaysFromCivil(y, m + 1, 1) + day - 1;
  return days * 86400 + int64_t{hour} * 3600 + int64_t{minute} * 60 + second;
}

std::string FormatCalendar(const char* format, const CalendarTime& t) {
  std::string out;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%' || p[1] == '\0') {
      out += *p;
      continue;
    }
    ++p;
    switch (*p) {
      case 'm': out += Format("%02d", t.month); break;
      case 'd': out += Format("%02d", t.day); break;
      case 'y': out += Format("%02d", t.year % 100); break;
      case 'Y': out += Format("%04d", t.year); break;
      case 'H': out += Format("%02d", t.hour); break;
      case 'M': out += Format("%02d", t.minute); break;
      case 'S': out += Format("%02d", t.second); break;
      case '%': out += '%'; break;
      default:
        out += '%';
        out += *p;
    }
  }
  return out;
}

}  // namespace ql
