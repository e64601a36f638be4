#pragma once

#include <QTimeZone>

#include "common/Clock.h"

namespace ql {

// The PC's own clock and time zone.
class SystemClock : public Clock {
 public:
  SystemClock();
  Now ReadNow() override;
  int64_t ZoneOffsetSeconds() override;
  bool IsDaylightSaving(int64_t utcSeconds) override;

 private:
  QTimeZone zone_;
};

}  // namespace ql
