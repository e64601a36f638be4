#include <gtest/gtest.h>

#include "status/StatusTexts.h"

namespace ql {
namespace {

TEST(StatusTextsTest, TimeLeftShowsHoursOnlyFromOneHourUp) {
  EXPECT_EQ(TimeLeftText(59), " 0:59");
  EXPECT_EQ(TimeLeftText(3599), "59:59");
  EXPECT_EQ(TimeLeftText(3600), " 1:00:00");
  EXPECT_EQ(TimeLeftText(36000 + 61), "10:01:01");
}

TEST(StatusTextsTest, DriftShowsBeyondFourSecondsEitherWay) {
  const int64_t host = 1'700'000'000;
  EXPECT_EQ(DriftFor(host + 4, host), DriftDisplay{});
  EXPECT_EQ(DriftFor(host - 4, host), DriftDisplay{});
  EXPECT_EQ(DriftFor(host + 5, host), (DriftDisplay{true, "Drift:  00:00:05 Fast "}));
  EXPECT_EQ(DriftFor(host - 3725, host), (DriftDisplay{true, "Drift:  01:02:05 Slow "}));
}

TEST(StatusTextsTest, PortCountersAndFileSizes) {
  EXPECT_STREQ(PortRateFor(-120).caption, "Bytes/Record:");
  EXPECT_EQ(PortRateFor(-120).value, "120");
  EXPECT_STREQ(PortRateFor(512).caption, "Bytes/Second:");
  EXPECT_EQ(PortRateFor(512).value, "512");

  EXPECT_EQ(PortFileSizeText(1023), "1023");
  EXPECT_EQ(PortFileSizeText(1024), "1 K");
  EXPECT_EQ(AnalogFileSizeText(1023), "1023");
  EXPECT_EQ(AnalogFileSizeText(1024), "1 k");
}

TEST(StatusTextsTest, StateSwitchesAndPower) {
  EXPECT_EQ(OperationText(9), "Standby");
  EXPECT_EQ(OperationText(14), "8 volt Limit");
  EXPECT_EQ(OperationText(30), "End of Run");
  EXPECT_EQ(OperationText(11), "Invalid Status 0b");
  EXPECT_EQ(OperationText(1), "Invalid Status 01");

  EXPECT_EQ(RunStopFor(1).text, "Run/Stop Switch: STOP");
  EXPECT_EQ(RunStopFor(3), (RunStopDisplay{true, "Run/Stop Switch:  Error"}));

  EXPECT_EQ(PowerText(0x05), "Power: 1010 0000");
  EXPECT_EQ(PowerText(0x80), "Power: 0000 0001");
}

}  // namespace
}  // namespace ql
