#include "serial/CommandFrame.h"

#include <gtest/gtest.h>

#include "serial/CommandSender.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const CommandFrame& f) { return Bytes(f.begin(), f.end()); }

TEST(CommandFrameTest, FramesOnTheWireByteForByte) {
  EXPECT_EQ(ToBytes(BuildCommandFrame(CmdGetSetup)),
            (Bytes{0x02, 0x02, 0xAC, 0xAC, 0, 0, 0, 0, 0, 0, 0x5C, 0x01}));
  EXPECT_EQ(ToBytes(BuildCommandFrame(CmdClearFlash, 1)),
            (Bytes{0x02, 0x02, 0xBD, 0xBD, 0, 0, 0, 0, 0x01, 0, 0x7F, 0x01}));
  EXPECT_EQ(ToBytes(BuildCommandFrame(CmdSetLoggerId, 4)),
            (Bytes{0x02, 0x02, 0xA6, 0xA6, 0, 0, 0, 0, 0x04, 0, 0x54, 0x01}));
  // argA little-endian; a sum above 0xFFFF keeps its low 16 bits.
  const CommandFrame t = BuildCommandFrame(CmdSetTime, 0xFFFF, 0xFFFFFFFF);
  EXPECT_EQ(ToBytes(t), (Bytes{0x02, 0x02, 0xAE, 0xAE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x5A, 0x07}));
}

TEST(CommandFrameTest, PortTestRecordFieldsAreBigEndianAndChecksumLittleEndian) {
  PortTestRecord r;
  r.testPort = 9;  // "Analog Ports"
  r.testBaud = 4800;
  r.testParity = 2;
  r.testDataBits = 7;
  r.hostBaud = 9600;
  const auto b = EncodePortTestRecord(r);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 22),
            (Bytes{0x0A, 0x0A, 0, 9, 0, 0, 0x12, 0xC0, 0, 0, 0x25, 0x80, 0, 2, 0, 0, 0, 7, 0, 8, 0, 0}));
  int sum = 0;
  for (int i = 0; i < 22; ++i) sum += b[static_cast<size_t>(i)];
  EXPECT_EQ(b[22] | (b[23] << 8), sum & 0xFFFF);
}

struct SenderTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  CommandSender sender{ports};
  void SetUp() override { ports.ConfigurePort(0, 1, 6); }
  std::string Sent() {
    const Bytes b = wire->TakeFromHost();
    return std::string(b.begin(), b.end());
  }
};

TEST_F(SenderTest, StopPicksTheFormTheLoggersHostPortUnderstands) {
  SendStop(sender, 7);  // "9600,7,E,1"
  EXPECT_EQ(Sent(), "    STOP7E1STOP7E1");
  SendStop(sender, 5);
  EXPECT_EQ(Sent(), "    STOP7E1STOP7E1");
  SendStop(sender, 6);
  const std::string frame = Sent();
  ASSERT_EQ(frame.size(), 12u + 19u);
  EXPECT_EQ(static_cast<uint8_t>(frame[2]), 0xA1);
  EXPECT_EQ(frame.substr(12), "    BREAKBREAKBREAK");
}

TEST_F(SenderTest, ClosedPortSendsNothingAndSaysNothing) {
  ports.ClosePort(0);
  sender.SendCommand(CmdBeginSample);
  sender.SendText("SLEEP");
  EXPECT_TRUE(wire->fromHost.empty());
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(SenderTest, ConfirmedCommandsGoOutOnlyOnTheirAnswer) {
  person.Script(Operator::Answer::No);
  EXPECT_FALSE(ConfirmAndSend(sender, person, CmdClearFlash));
  EXPECT_TRUE(wire->fromHost.empty());

  bool listCleared = false;
  person.Script(Operator::Answer::Yes);
  EXPECT_TRUE(ConfirmAndSend(sender, person, CmdClearFlash, [&] {
    listCleared = true;
    EXPECT_TRUE(wire->fromHost.empty());  // the list is emptied before the send
  }));
  EXPECT_TRUE(listCleared);
  EXPECT_EQ(wire->TakeFromHost(), ToBytes(BuildCommandFrame(CmdClearFlash, 1)));
  ASSERT_EQ(person.boxes.size(), 3u);
  EXPECT_EQ(person.boxes[2].kind, "warning");
  EXPECT_EQ(person.boxes[2].caption, "**** WARNING ****");
  EXPECT_EQ(person.questions[1].buttons, Operator::Buttons::YesNo);
  EXPECT_FALSE(person.questions[1].beepFirst);

  person.Script(Operator::Answer::Cancel);
  EXPECT_FALSE(ConfirmAndSend(sender, person, CmdResetToMonitor));
  person.Script(Operator::Answer::Ok);
  EXPECT_TRUE(ConfirmAndSend(sender, person, CmdLoadDefaultSetup));
  EXPECT_EQ(person.questions.back().caption, "Reset the Data Logger to it's Default Settings");
  EXPECT_TRUE(person.questions.back().beepFirst);
  EXPECT_EQ(wire->TakeFromHost(), ToBytes(BuildCommandFrame(CmdLoadDefaultSetup)));
}

}  // namespace
}  // namespace ql
