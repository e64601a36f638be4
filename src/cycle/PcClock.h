#pragma once

#include <cstdint>
#include <string>

#include "common/Colour.h"

namespace ql {

class Clock;

// The PC clock as the host shows and uses it, refreshed from the fast tick.
struct PcClock {
  int64_t hostSeconds = 0;  // local wall-clock seconds since 1970, as if UTC
  int64_t utcSeconds = 0;
  int milliseconds = 0;
  bool daylight = false;
  int64_t secondShown = -1;  // host second of the last refresh of the fields below
  int second = 0;
  int minute = 0;
  int hour = 0;
  int day = 0;
  int month = 0;       // 1..12
  int year = 0;        // modulo 100
  int dayOfYear = 0;   // 1..366

  std::string hostDateTime;  // LBHostDandT "%02d/%02d/%02d  %02d:%02d:%02d"
  std::string sleepHostTime;  // the sleep dialog's HostTime
  std::string sleepHostDate;  // the sleep dialog's HostDate

  // Set to 2 by each status packet, counted down each new PC second; at 0 the logger's
  // date-and-time label turns yellow.
  int loggerClockFreshness = 0;
  Colour loggerClockColour = kButtonFace;

  // The last reading as UTC seconds with their fraction: the live plot's time line.
  double UtcSeconds() const { return static_cast<double>(utcSeconds) + milliseconds / 1000.0; }
  int64_t UtcMilliseconds() const { return utcSeconds * 1000 + milliseconds; }
};

void RefreshPcClock(PcClock& pc, Clock& clock);

}  // namespace ql
