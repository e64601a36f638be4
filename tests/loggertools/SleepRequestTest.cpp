#include "loggertools/SleepRequest.h"

#include <gtest/gtest.h>

#include "common/Calendar.h"
#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"
#include "serial/PortTable.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/SentFrames.h"

namespace ql {
namespace {

constexpr int64_t kEastern = 5 * 3600;  // standard time five hours behind UTC

// The sleep button against a PC five hours west of Greenwich, with daylight saving time
// from March to November 2024.
struct SleepRequestTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeClock clock;
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  CommandSender sender{ports};

  void SetUp() override {
    ports.ConfigurePort(0, 1, 6);
    clock.zoneOffset = kEastern;
    clock.dstFrom = FromCalendar(2024, 3, 10, 7, 0, 0);
    clock.dstUntil = FromCalendar(2024, 11, 3, 6, 0, 0);
  }
  // The PC's local wall clock reads this now.
  void LocalNow(int year, int month, int day, int hour, int minute, int second) {
    const int64_t standard = FromCalendar(year, month, day, hour, minute, second) + kEastern;
    clock.SetUtc(clock.IsDaylightSaving(standard - 3600) ? standard - 3600 : standard);
  }
  bool Daylight() { return clock.IsDaylightSaving(clock.ReadNow().utcSeconds); }
  bool Sleep(const std::string& time, const std::string& date) {
    return SleepButtonClick(time, date, Daylight(), clock, person, sender);
  }
  std::vector<test::SentFrame> Sent() { return test::SentFrames(wire->TakeFromHost()); }
  const test::FakeOperator::Box& LastBox() { return person.boxes.back(); }
};

TEST_F(SleepRequestTest, BadTimesAreRefusedBeforeAnythingIsAsked) {
  LocalNow(2024, 1, 10, 9, 0, 0);
  for (const char* time : {"24:00:00", "12:60:00", "12:30", "12:30:60", "-1:00:00", "HH:MM:SS", "", "12 30 00",
                           "99999999999:00:00"}) {
    person.boxes.clear();
    EXPECT_FALSE(Sleep(time, "01/15/24")) << time;
    ASSERT_EQ(person.boxes.size(), 1u) << time;
    EXPECT_EQ(LastBox().kind, "warning");
    EXPECT_EQ(LastBox().caption, "Time Format Error");
    EXPECT_EQ(LastBox().text, "Time format is HH:MM:SS");
  }
  EXPECT_TRUE(Sent().empty());
  // Blanks before a number are read as the C library reads them.
  EXPECT_TRUE(ParseSleepTime(" 7: 05: 09").has_value());
}

TEST_F(SleepRequestTest, BadDatesAreRefusedWithTheTextAsTyped) {
  LocalNow(2024, 1, 10, 9, 0, 0);
  for (const char* date : {"01/15/99", "01/15/1999", "01/15/38", "01/15/2000", "13/01/24", "01/32/24", "00/10/24",
                           "01/15", "MM/DD/YY"}) {
    person.boxes.clear();
    EXPECT_FALSE(Sleep("10:00:00", date)) << date;
    ASSERT_EQ(person.boxes.size(), 1u) << date;
    EXPECT_EQ(LastBox().caption, "Date Format Error");
    EXPECT_EQ(LastBox().text, "Date " + std::string(date) + " is Invalid\n\nDate Format is MM/DD/YY");
  }
  EXPECT_TRUE(Sent().empty());
  // 2000 is written 0 or 00; two and four digits name the same year.
  EXPECT_EQ(ParseSleepDate("01/15/00")->year, 2000);
  EXPECT_EQ(ParseSleepDate("01/15/24")->year, ParseSleepDate("01/15/2024")->year);
}

TEST_F(SleepRequestTest, YearsPastTheLoggersClockAreRefusedAndNothingIsSent) {
  LocalNow(2024, 1, 10, 9, 0, 0);
  EXPECT_FALSE(Sleep("10:00:00", "01/15/2038"));
  EXPECT_EQ(LastBox().caption, "Date Range Error");
  EXPECT_EQ(LastBox().text, "Date 01/15/2038 is too late\n\nThe logger can sleep until the end of 2037 at the latest");
  EXPECT_FALSE(Sleep("10:00:00", "01/15/99999999999"));
  EXPECT_EQ(LastBox().caption, "Date Range Error");
  EXPECT_TRUE(person.questions.empty());
  EXPECT_TRUE(Sent().empty());

  EXPECT_TRUE(Sleep("23:59:59", "12/31/2037"));
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].argA, static_cast<uint32_t>(FromCalendar(2037, 12, 31, 23, 59, 59)));
}

TEST_F(SleepRequestTest, DaysPastTheMonthsEndRollOverInTheConfirmation) {
  LocalNow(2024, 1, 10, 9, 0, 0);
  EXPECT_TRUE(Sleep("10:00:00", "02/30/24"));  // 2024 is a leap year
  ASSERT_EQ(person.questions.size(), 1u);
  const Operator::Question& q = person.questions[0];
  EXPECT_EQ(q.caption, "QL-9 Sleep Option");
  EXPECT_EQ(q.text, "Sleep Until 10:00:00 on 03/01/24 ?");
  EXPECT_EQ(q.buttons, Operator::Buttons::OkCancel);
  EXPECT_EQ(q.icon, Operator::Icon::Exclamation);
  EXPECT_TRUE(q.beepFirst);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].code, CmdSleepUntil);
  EXPECT_EQ(sent[0].argA, static_cast<uint32_t>(FromCalendar(2024, 3, 1, 10, 0, 0)));
  EXPECT_EQ(sent[0].argB, 0);
}

TEST_F(SleepRequestTest, CancelSendsNothing) {
  LocalNow(2024, 1, 10, 9, 0, 0);
  person.Script(Operator::Answer::Cancel);
  EXPECT_FALSE(Sleep("10:00:00", "01/15/24"));
  EXPECT_EQ(person.boxes.size(), 1u);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(SleepRequestTest, TheWakeUpMustBeAtLeastThirtySecondsAhead) {
  for (const bool summer : {false, true}) {
    SCOPED_TRACE(summer ? "daylight saving time" : "standard time");
    const int month = summer ? 7 : 1;
    LocalNow(2024, month, 10, 9, 59, 31);
    person.boxes.clear();
    EXPECT_FALSE(Sleep("10:00:00", summer ? "07/10/24" : "01/10/24"));  // 29 s ahead, confirmed
    ASSERT_EQ(person.boxes.size(), 2u);
    EXPECT_EQ(person.boxes[0].kind, "ask");
    EXPECT_EQ(LastBox().caption, "Sleep Error");
    EXPECT_EQ(LastBox().text, "You must specify a time at least 30 seconds later than the current time");
    EXPECT_TRUE(Sent().empty());

    LocalNow(2024, month, 10, 9, 59, 30);
    EXPECT_TRUE(Sleep("10:00:00", summer ? "07/10/24" : "01/10/24"));  // 30 s ahead
    EXPECT_EQ(person.questions.back().text, summer ? "Sleep Until 10:00:00 on 07/10/24 ?"
                                                   : "Sleep Until 10:00:00 on 01/10/24 ?");
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    // The typed wall-clock time as seconds since 1970, whatever the season.
    EXPECT_EQ(sent[0].argA, static_cast<uint32_t>(FromCalendar(2024, month, 10, 10, 0, 0)));
  }
}

TEST_F(SleepRequestTest, TheDaylightFlagOfNowIsUsedForAWakeUpInTheOtherSeason) {
  // Typed in summer for a winter date: the moment is an hour early, and the confirmation
  // shows it so.
  LocalNow(2024, 10, 30, 12, 0, 0);
  EXPECT_TRUE(Sleep("10:00:00", "11/15/24"));
  EXPECT_EQ(person.questions.back().text, "Sleep Until 09:00:00 on 11/15/24 ?");
  EXPECT_EQ(Sent()[0].argA, static_cast<uint32_t>(FromCalendar(2024, 11, 15, 10, 0, 0)));
}

}  // namespace
}  // namespace ql
