#include <gtest/gtest.h>

#include "serial/SetupChecksum.h"
#include "setup/LoggerSetup.h"
#include "setup/MeterType.h"
#include "setup/ModeLayout.h"
#include "setup/PortDeviceType.h"
#include "setup/SendSetup.h"
#include "setup/SetupEditing.h"
#include "setup/SetupItems.h"
#include "support/FakeOperator.h"

namespace ql {
namespace {

// A setup the operator could send as it stands: every combo shows an item.
SetupControls ValidSetup() {
  SetupControls c;
  c.mode = kRealTimeMode;
  c.output = 1;
  c.file = 0;
  return c;
}

TEST(SetupEditingTest, AnalogRateRisesForActiveBx5AndSpkPortsOnly) {
  SetupControls c = ValidSetup();
  c.meter[2] = kDeviceBx5;
  c.portLine[2] = 6;  // "9600"
  c.analogRate = 1;
  ApplyAnalogRateMinimums(c);
  EXPECT_EQ(c.analogRate, 2);

  c.meter[5] = kDeviceSpk;
  c.portLine[5] = 8;
  ApplyAnalogRateMinimums(c);
  EXPECT_EQ(c.analogRate, 4);

  // Instruments on ports switched "OFF" ask for nothing.
  SetupControls off = ValidSetup();
  off.meter[2] = kDeviceBx5;
  off.meter[5] = kDeviceSpk;
  off.analogRate = 1;
  ApplyAnalogRateMinimums(off);
  EXPECT_EQ(off.analogRate, 1);

  // Never lowered.
  c.analogRate = 3;
  c.meter[5] = kDeviceOff;
  ApplyAnalogRateMinimums(c);
  EXPECT_EQ(c.analogRate, 3);
  c.analogRate = 15;
  c.meter[5] = kDeviceSpk;
  ApplyAnalogRateMinimums(c);
  EXPECT_EQ(c.analogRate, 15);
}

TEST(SetupEditingTest, AnalogRateLabelWarnsWhatTheLoggerCannotKeepUpWith) {
  constexpr int kArchiveFiles = 1;
  EXPECT_EQ(AnalogRateLabelFor(7, kArchiveFiles), (AnalogRateLabel{"7 Hz   142 ms", kRed}));
  EXPECT_EQ(AnalogRateLabelFor(6, kArchiveFiles).colour, kSilver);
  EXPECT_EQ(AnalogRateLabelFor(7, kNoDataStorage).colour, kSilver);
  EXPECT_EQ(AnalogRateLabelFor(10, kNoDataStorage).colour, kSilver);
  EXPECT_EQ(AnalogRateLabelFor(11, kNoDataStorage), (AnalogRateLabel{"11 Hz    90 ms", kYellow}));
  EXPECT_EQ(AnalogRateLabelFor(11, -1).colour, kYellow);  // FileCB still unselected

  EXPECT_EQ(LowVoltageText(105), "10.5 V");
  EXPECT_STREQ(StoreIndicatorFor(true).text, "Setup is Current");
  EXPECT_EQ(StoreIndicatorFor(true).colour, 0xC0C0C0u);
  EXPECT_STREQ(StoreIndicatorFor(false).text, "Setup is Not Current");
  EXPECT_EQ(StoreIndicatorFor(false).colour, 0x00FFFFu);
}

TEST(SetupEditingTest, LeavingMooredModeHidesIntervalAndUnchecksOncePerHour) {
  PortRowsShown labels;
  labels.analog[3] = true;
  labels.pump[0] = true;

  SetupControls c = ValidSetup();
  c.mode = kMooredMode;
  c.serialOncePerHour[0] = true;
  c.analogOncePerHour[3] = true;
  const ModeLayout moored = ApplyModeLayout(c, labels);
  EXPECT_TRUE(moored.moored);
  EXPECT_TRUE(moored.intervalVisible);
  EXPECT_EQ(moored.groupBox7Left, 168);
  EXPECT_EQ(moored.groupBox7Width, 265);
  EXPECT_EQ(moored.beginStopLeft, 136);
  EXPECT_EQ(moored.headings, (OncePerHourHeadings{false, true, true}));  // no serial label shows
  EXPECT_FALSE(moored.hideOncePerHourBoxes);
  EXPECT_FALSE(moored.polledButtonsVisible);
  EXPECT_TRUE(c.serialOncePerHour[0]);

  c.mode = kProfileMode;
  const ModeLayout profile = ApplyModeLayout(c, labels);
  EXPECT_FALSE(profile.moored);
  EXPECT_FALSE(profile.intervalVisible);
  EXPECT_EQ(profile.groupBox7Left, 297);
  EXPECT_EQ(profile.groupBox7Width, 136);
  EXPECT_EQ(profile.beginStopLeft, 8);
  EXPECT_EQ(profile.headings, OncePerHourHeadings{});
  EXPECT_TRUE(profile.hideOncePerHourBoxes);
  EXPECT_FALSE(c.serialOncePerHour[0]);
  EXPECT_FALSE(c.analogOncePerHour[3]);

  c.mode = kPolledMooredMode;
  const ModeLayout polled = ApplyModeLayout(c, labels);
  EXPECT_TRUE(polled.moored);
  EXPECT_TRUE(polled.polledButtonsVisible);

  // A moored host mode lays the page out as moored whatever ModeCB shows.
  c.mode = -1;
  EXPECT_TRUE(ApplyModeLayout(c, true, labels).intervalVisible);
}

TEST(SetupEditingTest, SendSetupRefusesAnyComboWithoutAnItem) {
  struct Case {
    const char* what;
    void (*spoil)(SetupControls&);
  };
  const Case cases[] = {
      {"ModeCB prompt", [](SetupControls& c) { c.mode = -1; }},
      {"output format 12", [](SetupControls& c) { c.output = 12; }},
      {"device type 13", [](SetupControls& c) { c.meter[7] = 13; }},
      {"port line 13", [](SetupControls& c) { c.portLine[0] = 13; }},
      {"host port ON", [](SetupControls& c) { c.hostPortLine = 12; }},
      {"analog", [](SetupControls& c) { c.analog[6] = 3; }},
      {"pump 1 purge", [](SetupControls& c) { c.pump[0] = 2; }},
      {"file", [](SetupControls& c) { c.file = -1; }},
      {"interval unit", [](SetupControls& c) { c.times[kInterval].unit = 3; }},
  };
  for (const Case& k : cases) {
    SetupControls c = ValidSetup();
    c.meter[0] = kDeviceBx5;
    c.portLine[1] = 6;
    c.analogRate = 12;
    c.timeSource = 2;
    k.spoil(c);
    const SetupControls before = c;
    SetupBytes record{};
    test::FakeOperator op;
    EXPECT_FALSE(SendSetup(c, kMeterBx5Plus, record, op).has_value()) << k.what;
    ASSERT_EQ(op.boxes.size(), 1u) << k.what;
    EXPECT_EQ(op.boxes[0].caption, "*** Warning *** 'Send Setup' has been aborted.");
    EXPECT_EQ(op.boxes[0].text,
              "One or more of the Logger Setup Parameters in either Port Setup or Sample Setup is invalid.");
    EXPECT_EQ(c, before) << k.what;
    EXPECT_EQ(record, SetupBytes{}) << k.what;
  }

  // Purges are items of the fourth pump only.
  SetupControls c = ValidSetup();
  c.pump[3] = 11;
  SetupBytes record{};
  test::FakeOperator op;
  EXPECT_TRUE(SendSetup(c, kMeterQl9, record, op).has_value());
  EXPECT_TRUE(op.boxes.empty());
}

TEST(SetupEditingTest, RealTimeOutputWithRecordingWarnsAndStillSends) {
  SetupControls c = ValidSetup();
  c.output = kOutputRealTimeData;
  c.file = 1;
  c.meter[3] = kDeviceSpk;
  c.portLine[3] = 6;
  c.analogRate = 1;
  SetupBytes record{};
  test::FakeOperator op;
  const std::optional<SetupBytes> sent = SendSetup(c, kMeterQl9, record, op);

  ASSERT_EQ(op.boxes.size(), 1u);
  EXPECT_EQ(op.boxes[0].kind, "warning");
  EXPECT_EQ(op.boxes[0].caption, "***Warning***");
  EXPECT_EQ(op.boxes[0].text,
            "Using the Logger Output AND Recording Data internally will cause the Logger to Turn OFF as the "
            "internal memory becomes full!");
  ASSERT_TRUE(sent.has_value());
  EXPECT_EQ(*sent, record);
  LoggerSetup rec(record);
  EXPECT_EQ(rec.OutputFormat(), kOutputRealTimeData);
  EXPECT_EQ(rec.AnalogRateHz(), 4);  // the SPK's minimum was applied before building
  EXPECT_EQ(rec.Checksum(), setup_checksum(record.data(), 190));

  // Real-time output alone, or recording alone, is no cause for a warning.
  SetupControls outputOnly = c;
  outputOnly.file = kNoDataStorage;
  SetupControls recordingOnly = c;
  recordingOnly.output = 1;
  for (SetupControls* quiet : {&outputOnly, &recordingOnly}) {
    test::FakeOperator none;
    EXPECT_TRUE(SendSetup(*quiet, kMeterQl9, record, none).has_value());
    EXPECT_TRUE(none.boxes.empty());
  }
}

}  // namespace
}  // namespace ql
