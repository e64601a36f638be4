#include "SystemClock.h"

#include <QDateTime>

namespace ql {

SystemClock::SystemClock() : zone_(QTimeZone::systemTimeZone()) {}

Clock::Now SystemClock::ReadNow() {
  const qint64 ms = QDateTime::currentMSecsSinceEpoch();
  Now now;
  now.utcSeconds = ms / 1000;
  now.milliseconds = static_cast<int>(ms % 1000);
  return now;
}

int64_t SystemClock::ZoneOffsetSeconds() {
  // Qt counts the standard offset east of UTC; the host counts west.
  return -zone_.standardTimeOffset(QDateTime::currentDateTimeUtc());
}

bool SystemClock::IsDaylightSaving(int64_t utcSeconds) {
  return zone_.isDaylightTime(QDateTime::fromSecsSinceEpoch(utcSeconds, QTimeZone::utc()));
}

}  // namespace ql
