#include "loggertools/ClockSync.h"

#include <gtest/gtest.h>

#include "common/ByteOrder.h"
#include "common/Clock.h"
#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"
#include "serial/PortTable.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql {
namespace {

struct ClockSyncTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  CommandSender sender{ports};
  ClockSync sync;
  test::FakeClock clock;

  void SetUp() override {
    ports.ConfigurePort(0, 1, 6);
    clock.zoneOffset = 5 * 3600;  // five hours west of Greenwich
  }

  // One status whose logger clock is `offset` seconds off the PC: the argA of each
  // CmdSetTime sent in answer.
  std::vector<uint32_t> StatusWithLoggerOff(int64_t offset) {
    const int64_t pc = clock.ReadNow().utcSeconds;
    bool daylight = false;
    const int64_t host = HostSecondsOf(clock, pc, &daylight);
    const int64_t loggerTime = LoggerTimeOf(host + offset, clock.ZoneOffsetSeconds(), daylight);
    UpdateLoggerClock(sync, sender, loggerTime, pc, host);
    const std::vector<uint8_t> sent = wire->TakeFromHost();
    std::vector<uint32_t> arguments;
    for (size_t at = 0; at + 12 <= sent.size(); at += 12) {
      EXPECT_EQ(GetU16LE(&sent[at + 2]), CmdSetTime);
      arguments.push_back(GetU32LE(&sent[at + 4]));
    }
    return arguments;
  }
  uint32_t HostNow() { return static_cast<uint32_t>(HostSecondsOf(clock, clock.ReadNow().utcSeconds)); }
};

TEST_F(ClockSyncTest, AutomaticSyncActsBeyondFiveSecondsOnly) {
  EXPECT_TRUE(StatusWithLoggerOff(5).empty());
  EXPECT_TRUE(StatusWithLoggerOff(-5).empty());
  EXPECT_EQ(StatusWithLoggerOff(-6), std::vector<uint32_t>{HostNow()});
  EXPECT_EQ(StatusWithLoggerOff(6), std::vector<uint32_t>{HostNow()});
  // Not answered: sent again at every status while the clock stays off.
  EXPECT_EQ(StatusWithLoggerOff(-6).size(), 1u);

  MenuAutoTimeUpdateClick(sync);
  EXPECT_TRUE(StatusWithLoggerOff(-600).empty());
}

TEST_F(ClockSyncTest, SyncNowSendsOnceAtTheNextStatusWhateverTheDifference) {
  MenuAutoTimeUpdateClick(sync);
  MenuUpdateTimeNowClick(sync);
  MenuUpdateTimeNowClick(sync);
  EXPECT_EQ(StatusWithLoggerOff(0), std::vector<uint32_t>{HostNow()});
  EXPECT_FALSE(sync.syncNow);
  EXPECT_TRUE(StatusWithLoggerOff(0).empty());
}

TEST_F(ClockSyncTest, InDaylightTimeTheClockIsSetAnHourLaterAndThenComparesEqual) {
  clock.SetUtc(1'780'000'000);  // a summer day
  const uint32_t standard = HostNow();
  clock.dstFrom = 1'700'000'000;
  clock.dstUntil = 1'800'000'000;
  const uint32_t daylight = HostNow();
  EXPECT_EQ(daylight, standard + 3600);

  // A logger set to the daylight host seconds reads as the PC's own time.
  const int64_t pc = clock.ReadNow().utcSeconds;
  EXPECT_EQ(LoggerTimeOf(daylight, clock.ZoneOffsetSeconds(), true), pc);
  EXPECT_FALSE(ClockNeedsSetting(sync, LoggerTimeOf(daylight, clock.ZoneOffsetSeconds(), true), pc));
  EXPECT_TRUE(ClockNeedsSetting(sync, LoggerTimeOf(standard, clock.ZoneOffsetSeconds(), true), pc));
}

}  // namespace
}  // namespace ql
