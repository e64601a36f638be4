#include "plot/PlotTitle.h"

#include <gtest/gtest.h>

#include "plot/PlotState.h"

namespace ql {
namespace {

TEST(PlotTitle, NamesInstrumentSeriesSpanAndRightEdgeInUtc) {
  PlotState plot;
  plot.ChooseInstrument(3, 4);
  plot.SetSpanMinutes(60);
  // 2026-12-09 07:01:02 UTC
  const int64_t edge = 1'796'799'662;
  // The battery is drawn from the start.
  EXPECT_EQ(PlotTitle(plot, edge), "Logger ID 4, Port 3: Battery V - 60 min to 2026-12-09 07:01:02 UTC");

  plot.Choose("Free Memory K", true);
  EXPECT_EQ(PlotTitle(plot, edge), "Logger ID 4, Port 3: Battery V, Free Memory K - 60 min to 2026-12-09 07:01:02 UTC");
  for (const auto& s : plot.AllSeries()) plot.Choose(s->name, false);
  EXPECT_EQ(PlotTitle(plot, edge), "Logger ID 4, Port 3: no series - 60 min to 2026-12-09 07:01:02 UTC");
}

}  // namespace
}  // namespace ql
