#include "loggertools/PortTest.h"

#include <gtest/gtest.h>

#include "serial/CommandSender.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql {
namespace {

using Bytes = std::vector<uint8_t>;

struct PortTestTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  CommandSender sender{ports};
  void SetUp() override { ports.ConfigurePort(0, 1, 6); }
};

TEST_F(PortTestTest, AnalogPortsRecordOnTheWireByteForByte) {
  // "Analog Ports", test setup "4800,7,E,1", host setup "9600".
  const std::optional<PortTestRecord> record = PortTestRecordFor({8, 5, 6}, person);
  ASSERT_TRUE(record.has_value());
  SendPortTest(sender, *record);
  // 0A 0A, port 9, test baud 4800, host baud 9600, parities 2 and 0, data bits 7 and 8,
  // reserved 0; the sum of those bytes (0x01A5) little-endian.
  EXPECT_EQ(wire->TakeFromHost(), (Bytes{0x0A, 0x0A, 0x00, 0x09, 0x00, 0x00, 0x12, 0xC0, 0x00, 0x00, 0x25, 0x80,
                                         0x00, 0x02, 0x00, 0x00, 0x00, 0x07, 0x00, 0x08, 0x00, 0x00, 0xA5, 0x01}));
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(PortTestTest, OffOnEitherSideIsRefusedAndNoPortMeansPortOne) {
  EXPECT_FALSE(PortTestRecordFor({0, 0, 6}, person).has_value());
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Test Port Error");
  EXPECT_EQ(person.boxes[0].text, "Please a Test Port Setup");
  EXPECT_FALSE(PortTestRecordFor({0, 6, 0}, person).has_value());
  EXPECT_EQ(person.boxes.back().text, "Please a Host Port Setup");

  const std::optional<PortTestRecord> record = PortTestRecordFor({-1, 11, 9}, person);
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->testPort, 1);
  EXPECT_EQ(record->testBaud, 115200u);
  EXPECT_EQ(record->hostBaud, 38400u);
  EXPECT_EQ(record->hostDataBits, 8);
  EXPECT_EQ(record->hostParity, 0);
}

}  // namespace
}  // namespace ql
