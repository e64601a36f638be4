#include "setup/HardwareConfig.h"

#include <gtest/gtest.h>

#include "common/ByteOrder.h"

namespace ql {
namespace {

HardwareControls SampleControls() {
  HardwareControls c;
  c.meterType = 2;
  c.serialNumber = 412;
  c.runStopSwitch = 2;
  c.statusLed = 1;
  for (int box = 0; box < kRelayBoxCount; ++box) c.relays[static_cast<size_t>(box)] = box % 10;
  return c;
}

TEST(HardwareConfigTest, RecordLayoutAndChecksum) {
  HardwareBytes record{};
  record[10] = 0xDE;  // the reserved bytes go back as they came
  record[11] = 0xAD;
  record[12] = 0xBE;
  record[13] = 0xEF;
  record[14] = 0x33;  // relay[0] and relay[9] are always 0
  record[32] = 0x44;
  BuildHardwareConfig(SampleControls(), record);

  EXPECT_EQ(GetU16LE(&record[0]), 0x0707);
  EXPECT_EQ(GetI16LE(&record[2]), 412);
  EXPECT_EQ(GetI16LE(&record[4]), 2);
  EXPECT_EQ(GetI16LE(&record[6]), 1);
  EXPECT_EQ(GetI16LE(&record[8]), 2);
  EXPECT_EQ(record[10], 0xDE);
  EXPECT_EQ(record[13], 0xEF);
  EXPECT_EQ(GetI16LE(&record[14]), 0);
  EXPECT_EQ(GetI16LE(&record[32]), 0);
  // Serial ports 1..8 at 16.., analog ports (9..15) at 34.., pumps (16..19) at 48..
  EXPECT_EQ(GetI16LE(&record[16]), 0);
  EXPECT_EQ(GetI16LE(&record[30]), 7);
  EXPECT_EQ(GetI16LE(&record[34]), 8);
  EXPECT_EQ(GetI16LE(&record[46]), 4);
  EXPECT_EQ(GetI16LE(&record[48]), 5);
  EXPECT_EQ(GetI16LE(&record[54]), 8);

  unsigned sum = 0;
  for (int i = 0; i < 56; ++i) sum += record[static_cast<size_t>(i)];
  EXPECT_EQ(GetU16LE(&record[56]), static_cast<uint16_t>(sum));
}

TEST(HardwareConfigTest, ReadBackShowsWhatWasBuiltAndBringsOddValuesIntoView) {
  HardwareBytes record{};
  HardwareControls sample = SampleControls();
  sample.meterType = 3;
  BuildHardwareConfig(sample, record);
  const HardwareControls shown = ReadHardwareConfig(record);
  EXPECT_EQ(shown.meterType, 3);
  EXPECT_EQ(shown.serialNumber, 412);
  EXPECT_EQ(shown.runStopSwitch, 2);
  EXPECT_EQ(shown.statusLed, 1);
  EXPECT_EQ(shown.relays, sample.relays);

  PutU16LE(&record[2], static_cast<uint16_t>(-7));  // negative serial number shows as 0
  PutU16LE(&record[8], 9);                          // no such run/stop switch
  PutU16LE(&record[16], 10);                        // no such relay
  PutU16LE(&record[4], 4);                          // no such meter
  EXPECT_EQ(ReadHardwareConfig(record).serialNumber, 0);
  EXPECT_EQ(ReadHardwareConfig(record).runStopSwitch, -1);
  EXPECT_EQ(ReadHardwareConfig(record).relays[0], -1);
  EXPECT_EQ(ReadHardwareConfig(record).meterType, -1);
  PutU16LE(&record[2], 4000);
  EXPECT_EQ(ReadHardwareConfig(record).serialNumber, kSerialNumberMax);

  // A combo showing nothing is stored as -1, whatever the held value was.
  HardwareControls blank = SampleControls();
  blank.relays[3] = -1;
  blank.meterType = 7;
  BuildHardwareConfig(blank, record);
  EXPECT_EQ(GetI16LE(&record[22]), -1);
  EXPECT_EQ(GetI16LE(&record[4]), -1);
}

TEST(HardwareConfigTest, SendNeedsAShownMeterTypeAndASerialNumber) {
  auto sendable = [](int meterType, int serialNumber) {
    HardwareControls c;
    c.meterType = meterType;
    c.serialNumber = serialNumber;
    return HardwareConfigSendable(c);
  };
  EXPECT_TRUE(sendable(0, 12));  // "None Selected" is a choice
  EXPECT_FALSE(sendable(0, 0));
  EXPECT_FALSE(sendable(-1, 12));
  EXPECT_FALSE(sendable(4, 12));  // a type the combo cannot show
  EXPECT_TRUE(sendable(3, 1000));
}

}  // namespace
}  // namespace ql
