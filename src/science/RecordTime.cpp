#include "RecordTime.h"

#include "common/Calendar.h"
#include "common/Format.h"

namespace ql {
namespace {

constexpr int64_t kHundredths = 100;

// Division that rounds toward minus infinity, so times before 1970 keep a positive fraction.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

std::string RecordTime::Iso() const {
  const int64_t seconds = Hundredths() ? FloorDiv(count, kHundredths) : count;
  const CalendarTime t = ToCalendar(seconds);
  const std::string whole =
      Format("%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  if (!Hundredths()) return whole + "Z";
  return whole + Format(".%02dZ", static_cast<int>(count - seconds * kHundredths));
}

}  // namespace ql
