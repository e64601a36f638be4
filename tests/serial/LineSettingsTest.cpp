#include "serial/LineSettings.h"

#include <gtest/gtest.h>

#include "serial/SetupChecksum.h"

namespace ql {
namespace {

TEST(LineSettingsTest, DescribePortNamesPortAndSpeed) {
  EXPECT_EQ(DescribePort(1, 6), "COM1 @ 9600 Baud");
  EXPECT_EQ(DescribePort(0, 0), "No Port is OFF");
  EXPECT_EQ(DescribePort(12, 7), "COM12 @ 9600,7,E,1");
  EXPECT_EQ(DescribePort(3, 5), "COM3 @ 4800,7,E,1");
  EXPECT_EQ(DescribePort(2, 12), "COM2 @ Unknown Baud");
  EXPECT_EQ(DescribePort(2, -1), "COM2 @ Unknown Baud");
}

TEST(LineSettingsTest, ModeStringsParseToOneStopBitLines) {
  for (int i = 0; i < kLineSettingCount; ++i) {
    const auto line = ParseModeString(ModeString(i));
    ASSERT_TRUE(line.has_value()) << i;
    EXPECT_EQ(line->stopBits, 1);
  }
  EXPECT_EQ(*ParseModeString(ModeString(0)), (LineParams{9600, 'N', 8, 1}));
  EXPECT_EQ(*ParseModeString(ModeString(99)), (LineParams{9600, 'N', 8, 1}));
  EXPECT_FALSE(ParseModeString("9600,N,8").has_value());
  EXPECT_FALSE(ParseModeString("fast,N,8,1").has_value());
  EXPECT_FALSE(ParseModeString("9600,N,9,1").has_value());
}

TEST(LineSettingsTest, ChecksumWrapsToSixteenBits) {
  std::vector<uint8_t> bytes(300, 0xFF);  // 300 * 255 = 76500 = 0x12AD4
  EXPECT_EQ(setup_checksum(bytes.data(), 300), 0x2AD4);
  uint8_t frame[12] = {0x02, 0x02, 0xAC, 0xAC};
  SealRecord(frame, 12);
  EXPECT_EQ(frame[10], 0x5C);
  EXPECT_EQ(frame[11], 0x01);
}

}  // namespace
}  // namespace ql
