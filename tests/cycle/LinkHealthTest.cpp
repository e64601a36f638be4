#include "cycle/LinkHealth.h"

#include <gtest/gtest.h>

#include "cycle/Cycle.h"
#include "cycle/HostState.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/Packets.h"

namespace ql {
namespace {

struct LinkHealthTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeClock clock;
  test::FakeOperator person;
  HostState host{test::MemoryFactory(wire), clock, person};

  void SelectPort(int com, int line) {
    host.loggerPort.comIndex = com;
    host.loggerPort.lineIndex = line;
    LoggerPortCBChange(host);
  }

  // One second of the cycle: a few fast ticks, then the one-second tick.
  void RunSecond(const test::Bytes& arriving = {}) {
    wire->Push(arriving);
    for (int i = 0; i < 4; ++i) {
      clock.AdvanceMs(250);
      Timer10msTimer(host);
    }
    Timer1000msTimer(host);
  }

  // Garbage that never forms a packet: bytes at the wrong speed.
  static test::Bytes Garbage() { return test::Bytes(40, 0xE7); }
};

TEST_F(LinkHealthTest, SilentPortWarnsAfterSixteenSecondsThenEveryThree) {
  host.loggerPort.comIndex = 1;  // selected at start-up: the long start-up grace applies
  host.ports.ConfigurePort(0, 1, 6);
  int firstWarning = 0;
  for (int second = 1; second <= 16 && firstWarning == 0; ++second) {
    RunSecond();
    if (host.loggerPort.comColour == kRed) firstWarning = second;
  }
  EXPECT_EQ(firstWarning, 16);
  EXPECT_TRUE(host.loggerPort.groupVisible);
  EXPECT_EQ(host.loggerPort.panelColour, kRed);
  EXPECT_EQ(host.cycle.badDataTimer, 3);  // with no bytes the bad-data timer never expires

  host.loggerPort.groupVisible = false;
  RunSecond();
  RunSecond();
  EXPECT_FALSE(host.loggerPort.groupVisible);
  RunSecond();
  EXPECT_TRUE(host.loggerPort.groupVisible);
}

TEST_F(LinkHealthTest, NoPortSelectedNeverTurnsTheComboRed) {
  for (int second = 0; second < 20; ++second) RunSecond();
  EXPECT_EQ(host.loggerPort.comColour, kWindowColour);
  EXPECT_FALSE(host.loggerPort.groupVisible);
}

TEST_F(LinkHealthTest, BytesWithoutPacketsWarnAfterFourSeconds) {
  SelectPort(1, 6);
  for (int second = 1; second <= 3; ++second) RunSecond(Garbage());
  EXPECT_EQ(host.loggerPort.lineColour, kWindowColour);
  RunSecond(Garbage());
  EXPECT_EQ(host.loggerPort.lineColour, kRed);
  EXPECT_EQ(host.loggerPort.panelColour, kRed);
  EXPECT_EQ(host.loggerPort.comColour, kWindowColour);
  EXPECT_EQ(host.loggerPort.lineIndex, 6);  // without auto baud the speed stays
}

TEST_F(LinkHealthTest, AutoBaudStartsAtTheTopAndStepsDownEverySixSecondsUntilAPacket) {
  SelectPort(1, 1);  // "600"
  AutoBaudRateDetectionClick(host);
  EXPECT_TRUE(host.loggerPort.autoBaud);
  EXPECT_EQ(host.loggerPort.lineIndex, 11);
  EXPECT_TRUE(host.loggerPort.groupVisible);
  EXPECT_EQ(host.ports.LineSetting(0), 1);  // the combo moved, the port did not

  std::vector<int> steps;
  int seconds = 0;
  while (host.loggerPort.lineIndex != 6 && seconds < 100) {
    const int before = host.loggerPort.lineIndex;
    RunSecond(Garbage());
    ++seconds;
    if (host.loggerPort.lineIndex != before) steps.push_back(seconds);
  }
  // 11 -> 10 -> 9 -> 8 -> 7 -> 6: the first after six seconds, then every six.
  EXPECT_EQ(steps, (std::vector<int>{6, 12, 18, 24, 30}));
  EXPECT_EQ(host.ports.LineSetting(0), 6);
  EXPECT_EQ(wire->lines.back(), (LineParams{9600, 'N', 8, 1}));

  RunSecond(test::FixedPacket(3));
  EXPECT_FALSE(host.loggerPort.autoBaud);
  EXPECT_EQ(host.loggerPort.lineColour, kWindowColour);
  EXPECT_EQ(host.loggerPort.panelColour, kButtonFace);
  for (int second = 0; second < 12; ++second) RunSecond(Garbage());
  EXPECT_EQ(host.loggerPort.lineIndex, 6);  // stepping has stopped
}

TEST_F(LinkHealthTest, AutoBaudWrapsFromTheSlowestToTheFastest) {
  SelectPort(1, 2);
  AutoBaudRateDetectionClick(host);
  host.loggerPort.lineIndex = 1;
  for (int second = 0; second < 6; ++second) RunSecond(Garbage());
  EXPECT_EQ(host.loggerPort.lineIndex, 11);
  AutoBaudRateDetectionClick(host);  // a second click turns it off
  EXPECT_FALSE(host.loggerPort.autoBaud);
}

TEST_F(LinkHealthTest, PortChangeResetsTheTimersAndEmptiesTheReceiver) {
  SelectPort(1, 6);
  wire->Push(test::Bytes(11, 0x03));
  Timer10msTimer(host);
  EXPECT_EQ(host.receiver.BufferedCount(), 11);
  host.cycle.noDataTimer = -5;
  SelectPort(2, 8);
  EXPECT_EQ(host.cycle.noDataTimer, 2);
  EXPECT_EQ(host.cycle.badDataTimer, 3);
  EXPECT_EQ(host.receiver.BufferedCount(), 0);
  EXPECT_EQ(host.ports.OpenCom(0), 2);
  EXPECT_EQ(wire->lines.back(), (LineParams{19200, 'N', 8, 1}));
}

TEST_F(LinkHealthTest, OneSecondTickShowsPortStatusAndStatisticsLines) {
  host.stats.StatsOpen(StatsBoard::kLoggerPortOwner, 9, "Host Port Statistics");
  SelectPort(3, 6);
  RunSecond(test::Concat({test::FixedPacket(3), test::Bytes(10, 0xEE)}));
  EXPECT_EQ(host.loggerPort.comStatus, "COM3 @ 9600 Baud");
  EXPECT_EQ(host.loggerPort.panelText, "Logger Port: COM3");
  EXPECT_TRUE(host.loggerPort.panelVisible);
  EXPECT_EQ(host.stats.At(1).text, "Bytes/Sec:  142");
  EXPECT_EQ(host.stats.At(2).text, "Total Input: 142");
  EXPECT_EQ(host.stats.At(3).text, "Packets/Sec:  1");
  EXPECT_EQ(host.stats.At(5).text, "Packet Count: 1");
  EXPECT_EQ(host.stats.At(7).text, "Loops: 4 ");
  EXPECT_EQ(host.stats.At(8).text, "No Data Timer: 002");
  EXPECT_EQ(host.stats.At(3).colour, kWindowColour);

  RunSecond();
  EXPECT_EQ(host.stats.At(1).text, "Bytes/Sec:  0");
  EXPECT_EQ(host.stats.At(1).colour, kYellow);
  EXPECT_EQ(host.stats.At(3).colour, kRed);
  EXPECT_EQ(host.stats.At(8).text, "No Data Timer: 001");
  EXPECT_EQ(host.stats.At(9).text, "Bad Data Timer: 002");
}

TEST_F(LinkHealthTest, LargestPayloadIsShownPerSecondAndEver) {
  host.stats.StatsOpen(StatsBoard::kLoggerPortOwner, 9, "Host Port Statistics");
  SelectPort(1, 6);
  test::DataPacketFields big;
  big.sources[0] = std::string(1000, 'a');
  test::DataPacketFields small;
  small.sources[0] = std::string(10, 'b');
  RunSecond(test::DataPacket(big));
  EXPECT_EQ(host.stats.At(4).text, "Max Bytes/Packet: 1000   1000");
  RunSecond(test::DataPacket(small));
  EXPECT_EQ(host.stats.At(4).text, "Max Bytes/Packet: 10   1000");
}

TEST_F(LinkHealthTest, RawLoggerDataReachesTheTerminalOnTheSameTick) {
  std::vector<std::string> lines;
  host.terminal.SetLineSink([&](const std::string& l) { lines.push_back(l); });
  SelectPort(1, 6);
  RawPortCBChange(host.display, RealTimeDisplay::kRawLoggerData, 0, 2);
  wire->Push(std::string("hello\r\n"));
  Timer10msTimer(host);
  EXPECT_TRUE(lines.empty());  // the display is not running
  ToggleDisplay(host.display);
  wire->Push(std::string("world\r\n"));
  Timer10msTimer(host);
  EXPECT_EQ(lines, (std::vector<std::string>{"world"}));
  EXPECT_FALSE(host.display.selectorsVisible);
}

}  // namespace
}  // namespace ql
