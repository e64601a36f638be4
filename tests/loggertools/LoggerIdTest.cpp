#include "loggertools/LoggerId.h"

#include <gtest/gtest.h>

#include "serial/CommandSender.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql {
namespace {

TEST(LoggerIdTest, NewIdGoesOutInArgBWithNoQuestionAsked) {
  auto wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  CommandSender sender{ports};
  ports.ConfigurePort(0, 1, 6);
  SendNewLoggerId(sender, 4);
  EXPECT_EQ(wire->TakeFromHost(), (std::vector<uint8_t>{0x02, 0x02, 0xA6, 0xA6, 0, 0, 0, 0, 0x04, 0x00, 0x54, 0x01}));
  EXPECT_TRUE(person.boxes.empty());
  EXPECT_EQ(NewLoggerIdText(3), "  3");
}

}  // namespace
}  // namespace ql
