#include "PlotTitle.h"

#include "PlotState.h"
#include "common/Calendar.h"
#include "common/Format.h"

namespace ql {

std::string PlotTitle(const PlotState& plot, int64_t rightEdgeUtcSeconds) {
  std::string series;
  for (const auto& s : plot.AllSeries()) {
    if (!s->chosen) continue;
    if (!series.empty()) series += ", ";
    series += s->name;
  }
  if (series.empty()) series = "no series";
  const CalendarTime t = ToCalendar(rightEdgeUtcSeconds);
  return Format("Logger ID %d, Port %d: %s - %d min to %04d-%02d-%02d %02d:%02d:%02d UTC", plot.LoggerId(), plot.Port(),
                series.c_str(), plot.SpanMinutes(), t.year, t.month, t.day, t.hour, t.minute, t.second);
}

}  // namespace ql
