#include "cycle/PcClock.h"

#include <gtest/gtest.h>

#include "common/Calendar.h"
#include "support/FakeClock.h"

namespace ql {
namespace {

TEST(PcClockTest, HostSecondsFollowZoneAndDaylightSaving) {
  test::FakeClock clock;
  clock.SetUtc(FromCalendar(2026, 12, 7, 15, 4, 5));
  clock.zoneOffset = 5 * 3600;  // five hours west
  PcClock pc;
  RefreshPcClock(pc, clock);
  EXPECT_FALSE(pc.daylight);
  EXPECT_EQ(pc.hostDateTime, "12/07/26  10:04:05");
  EXPECT_EQ(pc.sleepHostTime, "10:04:05");
  EXPECT_EQ(pc.sleepHostDate, "12/07/26");
  EXPECT_EQ(pc.dayOfYear, 341);

  clock.dstFrom = 0;
  clock.dstUntil = INT64_MAX;
  clock.AdvanceMs(1000);
  RefreshPcClock(pc, clock);
  EXPECT_TRUE(pc.daylight);
  EXPECT_EQ(pc.hostSeconds, FromCalendar(2026, 12, 7, 11, 4, 6));
  EXPECT_EQ(pc.hour, 11);
}

TEST(PcClockTest, LoggerTimeTurnsStaleAfterTwoQuietSeconds) {
  test::FakeClock clock;
  PcClock pc;
  RefreshPcClock(pc, clock);
  pc.loggerClockFreshness = 2;  // a status packet has just arrived
  pc.loggerClockColour = kButtonFace;
  for (int ms = 0; ms < 2000; ms += 5) {
    clock.AdvanceMs(5);
    RefreshPcClock(pc, clock);
  }
  EXPECT_EQ(pc.loggerClockFreshness, 0);
  EXPECT_EQ(pc.loggerClockColour, kButtonFace);
  clock.AdvanceMs(1000);
  RefreshPcClock(pc, clock);
  EXPECT_EQ(pc.loggerClockColour, kYellow);
}

// The zone and daylight saving are the dearest part of the fast tick: they are looked
// up once a PC second, and the texts still follow every new second.
TEST(PcClockTest, ZoneLookedUpOnceASecond) {
  struct CountingClock : test::FakeClock {
    int lookups = 0;
    bool IsDaylightSaving(int64_t utc) override {
      ++lookups;
      return FakeClock::IsDaylightSaving(utc);
    }
  } clock;
  clock.SetUtc(FromCalendar(2026, 12, 7, 15, 4, 5));
  PcClock pc;
  for (int tick = 0; tick < 400; ++tick) {
    RefreshPcClock(pc, clock);
    EXPECT_EQ(pc.milliseconds, tick * 5 % 1000);
    clock.AdvanceMs(5);
  }
  EXPECT_EQ(clock.lookups, 2);
  EXPECT_EQ(pc.hostDateTime, "12/07/26  15:04:06");
  clock.dstUntil = INT64_MAX;  // daylight saving begins with the next second
  RefreshPcClock(pc, clock);
  EXPECT_EQ(clock.lookups, 3);
  EXPECT_TRUE(pc.daylight);
  EXPECT_EQ(pc.hostDateTime, "12/07/26  16:04:07");
}

TEST(PcClockTest, CalendarRoundTripsAndNormalisesLikeTheCLibrary) {
  const int64_t t = FromCalendar(2024, 2, 30, 10, 0, 0);  // 30 February 2024
  const CalendarTime c = ToCalendar(t);
  EXPECT_EQ(c.month, 3);
  EXPECT_EQ(c.day, 1);
  EXPECT_EQ(FormatCalendar("%m/%d/%y   %H:%M:%S", c), "03/01/24   10:00:00");
  EXPECT_EQ(ToCalendar(FromCalendar(2026, 12, 31, 23, 59, 59)).dayOfYear, 365);
  EXPECT_EQ(ToCalendar(0).year, 1970);
}

}  // namespace
}  // namespace ql
