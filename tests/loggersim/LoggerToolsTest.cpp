#include <gtest/gtest.h>

#include "SimStream.h"
#include "loggersim/LoggerModel.h"
#include "loggersim/SwitchCommands.h"

namespace ql::sim {
namespace {

using test::Frame;
using test::OfType;
using test::Packet;
using test::Split;
using test::Text;

constexpr int64_t kStart = 1'765'000'000;

// The simulated logger's clock, sleep, ID and port test, as the host drives them.
struct LoggerToolsTest : ::testing::Test {
  LoggerModel model;
  std::vector<uint8_t> bytes;

  std::vector<Packet> Run(int ms) {
    model.Advance(ms);
    bytes = model.TakeOutput();
    return Split(bytes);
  }
  std::string RunText(int ms) {
    model.Advance(ms);
    bytes = model.TakeOutput();
    return std::string(bytes.begin(), bytes.end());
  }
  void Say(const std::vector<uint8_t>& b) { model.Receive(b.data(), static_cast<int>(b.size())); }
  void SayRecord(const PortTestRecord& r) {
    const auto b = EncodePortTestRecord(r);
    model.Receive(b.data(), static_cast<int>(b.size()));
  }
};

TEST_F(LoggerToolsTest, SleepsUntilTheTimeGivenThenWakesToWhatItWasDoing) {
  ASSERT_EQ(model.State(), kStateSampling);
  Say(Frame(CmdSleepUntil, static_cast<uint32_t>(kStart + 5)));
  auto statuses = OfType(Run(3000), 3);
  EXPECT_EQ(statuses.back().State(), kStateSleeping);
  EXPECT_TRUE(OfType(Split(bytes), 8).empty());
  statuses = OfType(Run(3000), 3);
  EXPECT_EQ(statuses.back().State(), kStateSampling);
}

TEST_F(LoggerToolsTest, TakesANewLoggerIdForItsStatusAndData) {
  Say(Frame(CmdSetLoggerId, 0, 4));
  const auto packets = Run(2000);
  EXPECT_EQ(GetI16LE(&OfType(packets, 3).back().bytes[20]), 4);
  EXPECT_EQ(OfType(packets, 8).back().Sender(), 4);
}

TEST_F(LoggerToolsTest, ADriftingClockGainsUntilSetAndThenStartsAfresh) {
  EXPECT_EQ(ApplySwitch(model, "drift-rate", "30"), "");
  EXPECT_NE(DescribeSwitches(model).find("drift-rate 30\n"), std::string::npos);
  EXPECT_NE(ApplySwitch(model, "drift-rate", "601"), "");
  EXPECT_EQ(OfType(Run(60'000), 3).back().LoggerSeconds(), kStart + 60 + 30);
  Say(Frame(CmdSetTime, static_cast<uint32_t>(kStart + 60)));
  EXPECT_EQ(OfType(Run(2000), 3).back().LoggerSeconds(), kStart + 62 + 1);
  model.faults().driftPerMinute = -60;
  Say(Frame(CmdSetTime, static_cast<uint32_t>(kStart)));
  EXPECT_EQ(OfType(Run(10'000), 3).back().LoggerSeconds(), kStart);
}

TEST_F(LoggerToolsTest, PortTestPassesThePortThroughUntilTheHostStops) {
  PortTestRecord r;
  r.testPort = 3;
  r.testBaud = 4800;
  r.testParity = 2;
  r.testDataBits = 7;
  r.hostBaud = 19200;
  SayRecord(r);
  ASSERT_TRUE(model.PortTest().Active());
  EXPECT_EQ(model.State(), kStateStandby);
  EXPECT_EQ(model.Line().baud, 19200);
  EXPECT_EQ(model.PortTest().TestLine().parity, 'E');
  EXPECT_EQ(model.PortTest().TestLine().dataBits, 7);

  // The instrument's lines, and no packets.
  const std::string lines = RunText(3000);
  EXPECT_TRUE(Split(bytes).empty());
  EXPECT_EQ(lines.rfind("P3 ", 0), 0u);
  EXPECT_NE(lines.find("\r\nP3 "), std::string::npos);

  // Text typed to the instrument comes back as it echoes it; commands other than a stop
  // reach the instrument, not the logger.
  Say(Text("ds\r\n"));
  Say(Text("SLEEP"));
  EXPECT_EQ(RunText(0), "ds\r\nSLEEP");
  Say(Frame(CmdBeginSample));
  RunText(0);
  EXPECT_TRUE(Split(bytes).empty());
  EXPECT_EQ(model.State(), kStateStandby);
  EXPECT_TRUE(model.PortTest().Active());

  // The host's stop ends the test: the binary frame is not echoed as a packet.
  Say(Frame(CmdStop));
  Say(Text("    BREAKBREAKBREAK"));
  EXPECT_FALSE(model.PortTest().Active());
  EXPECT_EQ(model.Line().baud, 9600);
  const auto packets = Run(1000);
  EXPECT_TRUE(OfType(packets, 2).empty());
  EXPECT_EQ(OfType(packets, 3).size(), 1u);
}

TEST_F(LoggerToolsTest, AnalogPortTestSendsReadingsAndABadRecordIsNotTaken) {
  PortTestRecord r;
  r.testPort = 10;
  SayRecord(r);
  EXPECT_FALSE(model.PortTest().Active());
  r.testPort = 9;
  r.hostBaud = 0;
  SayRecord(r);
  EXPECT_FALSE(model.PortTest().Active());

  r.hostBaud = 9600;
  SayRecord(r);
  ASSERT_TRUE(model.PortTest().Active());
  EXPECT_EQ(RunText(1000).rfind("A1=", 0), 0u);
  Say(Text("    STOP7E1STOP7E1"));
  EXPECT_FALSE(model.PortTest().Active());
}

}  // namespace
}  // namespace ql::sim
