#include <gtest/gtest.h>

#include "common/ByteOrder.h"
#include "common/Calendar.h"
#include "cycle/Cycle.h"
#include "cycle/HostState.h"
#include "cycle/LinkHealth.h"
#include "serial/CommandFrame.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/Packets.h"
#include "support/SentFrames.h"

namespace ql {
namespace {

// The clock update rule as each status runs it, on a PC five hours west of Greenwich.
struct ClockUpdateTest : ::testing::TestWithParam<bool> {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeClock clock;
  test::FakeOperator person;
  HostState host{test::MemoryFactory(wire), clock, person};

  void SetUp() override {
    clock.zoneOffset = 5 * 3600;
    if (GetParam()) {  // daylight saving time all along
      clock.dstFrom = 0;
      clock.dstUntil = INT64_MAX;
    }
    host.loggerPort.comIndex = 1;
    LoggerPortCBChange(host);
    Timer10msTimer(host);
  }
  int64_t HostNow() { return HostSecondsOf(clock, clock.ReadNow().utcSeconds); }
  // A status naming the logger clock `offset` seconds off the PC's, read and decoded;
  // then a second passes.
  std::vector<test::SentFrame> Status(int64_t offset) { return StatusAt(HostNow() + offset); }
  std::vector<test::SentFrame> StatusAt(int64_t loggerSeconds) {
    test::Bytes body(128);
    PutU32LE(&body[6], static_cast<uint32_t>(loggerSeconds));
    wire->Push(test::FixedPacket(3, body));
    Timer10msTimer(host);
    Timer475msTimer(host);
    clock.AdvanceMs(1000);
    return test::SentFrames(wire->TakeFromHost());
  }
};

INSTANTIATE_TEST_SUITE_P(Seasons, ClockUpdateTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "DaylightTime" : "StandardTime"; });

TEST_P(ClockUpdateTest, AutomaticSyncSetsAClockMoreThanFiveSecondsOff) {
  EXPECT_TRUE(Status(-5).empty());
  EXPECT_TRUE(Status(5).empty());
  EXPECT_TRUE(Status(0).empty());

  const int64_t now = HostNow();
  const auto behind = Status(-6);
  ASSERT_EQ(behind.size(), 1u);
  EXPECT_EQ(behind[0].code, CmdSetTime);
  EXPECT_EQ(behind[0].argA, static_cast<uint32_t>(now));
  EXPECT_EQ(behind[0].argB, 0);
  // The drift shown is the one found, before the command takes effect.
  EXPECT_EQ(host.pending.status->drift.text, "Drift:  00:00:06 Slow ");

  ASSERT_EQ(Status(6).size(), 1u);
  // A lost command is sent again at the next status while the clock stays off.
  ASSERT_EQ(Status(3725).size(), 1u);
}

TEST_P(ClockUpdateTest, SyncNowSendsOnceAtTheNextStatusWhateverTheDifference) {
  MenuAutoTimeUpdateClick(host.clockSync);
  EXPECT_FALSE(host.clockSync.autoSync);
  EXPECT_TRUE(Status(-100).empty());

  MenuUpdateTimeNowClick(host.clockSync);
  MenuUpdateTimeNowClick(host.clockSync);  // a second click before the status adds nothing
  for (int i = 0; i < 3; ++i) Timer10msTimer(host);  // no status yet: the request waits
  EXPECT_TRUE(host.clockSync.syncNow);
  const int64_t now = HostNow();
  const auto sent = Status(0);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].argA, static_cast<uint32_t>(now));
  EXPECT_FALSE(host.clockSync.syncNow);
  EXPECT_TRUE(Status(-100).empty());
}

TEST_P(ClockUpdateTest, ALoggerClockSetFromTheCommandComparesEqualAfterwards) {
  const auto sent = Status(-600);
  ASSERT_EQ(sent.size(), 1u);
  // The logger took the time and has counted the second that passed since.
  EXPECT_TRUE(StatusAt(sent[0].argA + 1).empty());
  EXPECT_FALSE(host.pending.status->drift.visible);
}

TEST(ClockUpdateSeasonsTest, TheArgumentInDaylightTimeIsAnHourAboveStandardTime) {
  uint32_t argument[2] = {};
  for (const bool daylight : {false, true}) {
    auto wire = std::make_shared<test::MemoryWire>();
    test::FakeClock clock;
    clock.SetUtc(FromCalendar(2026, 7, 1, 12, 0, 0));
    clock.zoneOffset = 5 * 3600;
    clock.dstUntil = daylight ? INT64_MAX : 0;
    test::FakeOperator person;
    HostState host{test::MemoryFactory(wire), clock, person};
    host.loggerPort.comIndex = 1;
    LoggerPortCBChange(host);
    wire->Push(test::FixedPacket(3));  // a logger clock at 1970
    Timer10msTimer(host);
    Timer475msTimer(host);
    const auto sent = test::SentFrames(wire->TakeFromHost());
    ASSERT_EQ(sent.size(), 1u);
    argument[daylight] = sent[0].argA;
  }
  EXPECT_EQ(argument[0], static_cast<uint32_t>(FromCalendar(2026, 7, 1, 7, 0, 0)));
  EXPECT_EQ(argument[1] - argument[0], 3600u);
}

}  // namespace
}  // namespace ql
