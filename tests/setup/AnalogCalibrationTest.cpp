#include "setup/AnalogCalibration.h"

#include <gtest/gtest.h>

#include "common/ByteOrder.h"

namespace ql {
namespace {

TEST(AnalogCalibrationTest, EditParsing) {
  EXPECT_EQ(ParseCalibrationEdit("", kScaleMinimum), 1);
  EXPECT_EQ(ParseCalibrationEdit("", kOffsetMinimum), 0);
  EXPECT_EQ(ParseCalibrationEdit("     ", kScaleMinimum), 1);
  EXPECT_EQ(ParseCalibrationEdit("99999", kScaleMinimum), 32700);
  EXPECT_EQ(ParseCalibrationEdit("999999999999999999999", kScaleMinimum), 32700);
  EXPECT_EQ(ParseCalibrationEdit(" 5325", kScaleMinimum), 5325);
  EXPECT_EQ(ParseCalibrationEdit("  -40", kOffsetMinimum), 0);
  EXPECT_EQ(ParseCalibrationEdit("0", kScaleMinimum), 1);
  EXPECT_EQ(ParseCalibrationEdit("12ab", kOffsetMinimum), 12);
  EXPECT_EQ(ParseCalibrationEdit("abc", kOffsetMinimum), 0);
}

TEST(AnalogCalibrationTest, RecordFromTheEdits) {
  AnalogControls c = DefaultAnalogControls();
  EXPECT_EQ(c.offset[0], "  200");
  EXPECT_EQ(c.scale[0], "  790");
  EXPECT_EQ(c.offset[7], "  150");
  EXPECT_EQ(c.scale[7], " 5325");
  c.scale[3] = "";
  c.offset[3] = "";
  c.scale[5] = "99999";

  AnalogCalibrationBytes record;
  record.fill(0xAA);
  BuildAnalogCalibration(c, record);
  EXPECT_EQ(GetU16LE(&record[0]), 0x0606);
  EXPECT_EQ(GetI16LE(&record[2]), 15);
  EXPECT_EQ(GetU32LE(&record[4]), 1u);
  EXPECT_EQ(GetI16LE(&record[8]), 200);
  EXPECT_EQ(GetI16LE(&record[24]), 790);
  EXPECT_EQ(GetI16LE(&record[8 + 6]), 0);
  EXPECT_EQ(GetI16LE(&record[24 + 6]), 1);
  EXPECT_EQ(GetI16LE(&record[24 + 10]), 32700);
  EXPECT_EQ(GetI16LE(&record[22]), 150);
  EXPECT_EQ(GetI16LE(&record[38]), 5325);
  EXPECT_EQ(GetU16LE(&record[40]), 0);
  unsigned sum = 0;
  for (int i = 0; i < 42; ++i) sum += record[static_cast<size_t>(i)];
  EXPECT_EQ(GetU16LE(&record[42]), static_cast<uint16_t>(sum));

  // Shown again: "%5d" of what was stored.
  const AnalogControls shown = ReadAnalogCalibration(record);
  EXPECT_EQ(shown.offset[3], "    0");
  EXPECT_EQ(shown.scale[3], "    1");
  EXPECT_EQ(shown.scale[5], "32700");
  EXPECT_EQ(shown.scale[1], " 5325");
}

TEST(AnalogCalibrationTest, ReceivedValuesShowAndGoBackAsTheyCameAndOnlyTypedOnesAreParsed) {
  AnalogCalibrationBytes record{};
  PutU16LE(&record[8], static_cast<uint16_t>(-12));
  PutU16LE(&record[24], static_cast<uint16_t>(32767));
  PutU16LE(&record[8 + 2], 40);
  AnalogControls shown = ReadAnalogCalibration(record);
  EXPECT_EQ(shown.offset[0], "  -12");
  EXPECT_EQ(shown.scale[0], "32767");
  EXPECT_EQ(shown.scale[1], "    0");  // a zero scale

  shown.TypeOffset(1, "");
  shown.TypeScale(2, "99999");
  BuildAnalogCalibration(shown, record);
  EXPECT_EQ(GetI16LE(&record[8]), -12);
  EXPECT_EQ(GetI16LE(&record[24]), 32767);
  EXPECT_EQ(GetI16LE(&record[24 + 2]), 0);
  EXPECT_EQ(GetI16LE(&record[8 + 2]), 0);        // typed: an empty offset is 0
  EXPECT_EQ(GetI16LE(&record[24 + 4]), 32700);  // typed: lowered to the maximum
}

}  // namespace
}  // namespace ql
