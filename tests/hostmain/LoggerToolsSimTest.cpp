#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatedHost.h"
#include "common/Calendar.h"
#include "loggertools/LoggerId.h"
#include "loggertools/PortTest.h"
#include "loggertools/SleepRequest.h"

namespace ql {
namespace {

int64_t Abs(int64_t v) { return v < 0 ? -v : v; }

// The host's clock rule, sleep, logger ID and port test against the simulated logger.
struct LoggerToolsSimTest : ::testing::Test {
  test::SimulatedHost sim;

  int64_t ClockDifference() { return sim.logger->LoggerSeconds() - sim.host.pc.hostSeconds; }
  int SetTimeCommands() {
    int n = 0;
    for (const sim::HostMessage& m : sim.logger->Heard()) n += m.code == CmdSetTime ? 1 : 0;
    return n;
  }
};

TEST_F(LoggerToolsSimTest, ADriftingLoggerClockIsBroughtBackWithinTheLimit) {
  sim.logger->faults().driftPerMinute = 90;  // a second and a half every second
  int64_t worst = 0;
  for (int i = 0; i < 60; ++i) {
    sim.Second();
    worst = std::max(worst, Abs(ClockDifference()));
  }
  // The rule sets the clock once it is more than five seconds off; the logger then
  // drifts away again from the time it was given.
  EXPECT_GE(SetTimeCommands(), 5);
  EXPECT_LE(worst, kClockTolerance + 3);

  sim.host.clockSync.autoSync = false;
  sim.Seconds(30);
  EXPECT_GT(ClockDifference(), 30);
  MenuUpdateTimeNowClick(sim.host.clockSync);
  sim.Seconds(2);
  EXPECT_LE(Abs(ClockDifference()), 3);
}

TEST_F(LoggerToolsSimTest, TheLoggerSleepsUntilTheTimeTypedAndWakes) {
  sim.Second();
  const CalendarTime wake = ToCalendar(sim.host.pc.hostSeconds + 40);
  ASSERT_TRUE(SleepButtonClick(FormatCalendar("%H:%M:%S", wake), FormatCalendar("%m/%d/%y", wake),
                               sim.host.pc.daylight, sim.clock, sim.person, sim.host.sender));
  sim.Seconds(2);
  EXPECT_EQ(sim.host.pending.status->operation, "Sleeping");
  sim.Seconds(40);
  EXPECT_EQ(sim.host.pending.status->operation, "Sampling");
}

TEST_F(LoggerToolsSimTest, ANewLoggerIdShowsInTheNextStatus) {
  sim.Second();
  EXPECT_EQ(sim.host.pending.status->currentMuxId, "Current Logger ID:    2");
  SendNewLoggerId(sim.host.sender, 3);
  sim.Seconds(2);
  EXPECT_EQ(sim.host.pending.status->currentMuxId, "Current Logger ID:    3");
}

TEST_F(LoggerToolsSimTest, APortTestShowsTheInstrumentInTheRawDisplayUntilStopped) {
  std::vector<std::string> lines;
  sim.host.terminal.SetLineSink([&lines](const std::string& l) { lines.push_back(l); });
  sim.Second();
  RawPortCBChange(sim.host.display, RealTimeDisplay::kRawLoggerData, 0, 2);
  ToggleDisplay(sim.host.display);
  SendPortTest(sim.host.sender, *PortTestRecordFor({1, 6, 6}, sim.person));
  lines.clear();
  sim.Seconds(3);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("P2 ", 0), 0u);

  SendStop(sim.host.sender, 6);
  sim.Seconds(2);
  EXPECT_FALSE(sim.logger->PortTest().Active());
  EXPECT_EQ(sim.host.pending.status->operation, "Standby");
}

}  // namespace
}  // namespace ql
