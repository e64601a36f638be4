#include "cycle/Cycle.h"

#include <gtest/gtest.h>

#include "common/Format.h"
#include "cycle/HostState.h"
#include "cycle/LinkHealth.h"
#include "cycle/OperatorText.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/Packets.h"

namespace ql {
namespace {

struct CycleTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeClock clock;
  test::FakeOperator person;
  HostState host{test::MemoryFactory(wire), clock, person};
  std::vector<std::string> lines;

  void SetUp() override {
    host.terminal.SetLineSink([this](const std::string& l) { lines.push_back(l); });
    host.loggerPort.comIndex = 1;
    LoggerPortCBChange(host);
    host.stats.StatsOpen(StatsBoard::kLoggerPortOwner, 9, "Host Port Statistics");
  }

  void Data(int sender, int sequence) {
    test::DataPacketFields fields;
    fields.sender = static_cast<uint8_t>(sender);
    fields.sequence = static_cast<uint8_t>(sequence);
    fields.sources[0] = "x";
    wire->Push(test::DataPacket(fields));
    Timer10msTimer(host);
  }
};

TEST_F(CycleTest, OperatorTextIsSentWholeAndEchoedBetweenLineBreaks) {
  SendOperatorText(host, "abc", true);
  EXPECT_EQ(wire->TakeFromHost(), (test::Bytes{'a', 'b', 'c', '\r', '\n'}));
  SendOperatorText(host, "abc", false);
  EXPECT_EQ(wire->TakeFromHost(), (test::Bytes{'a', 'b', 'c'}));
  EXPECT_EQ(lines, (std::vector<std::string>{"", "abc", "abc"}));

  const std::string longText(500, 'q');  // far beyond any one-line entry
  SendOperatorText(host, longText, true);
  EXPECT_EQ(wire->TakeFromHost().size(), 502u);
}

TEST_F(CycleTest, SenderCountsShowEachSecondAndResetLeavesTheTotal) {
  Data(0, 0);
  Data(2, 0);
  Data(2, 1);
  Data(2, 5);
  Timer1000msTimer(host);
  EXPECT_EQ(host.display.timeUnitLabel, "Time Unit: 1");
  EXPECT_EQ(host.display.unitLabels[1], "Unit 2: 3 \t1 \t3");
  EXPECT_EQ(host.display.unitLabels[0], "Unit 1: 0 \t0 \t0");
  EXPECT_EQ(host.stats.At(6).text, "Mod Errors:  1");

  host.senders.ResetPerSender();
  Timer1000msTimer(host);
  EXPECT_EQ(host.display.unitLabels[1], "Unit 2: 0 \t0 \t0");
  EXPECT_EQ(host.stats.At(6).text, "Mod Errors:  1");
  Data(2, 6);  // the sequence position survives the reset
  EXPECT_EQ(host.senders.errors[2], 0u);
}

TEST_F(CycleTest, PacketCountLineFollowsEveryRecognisedPacketOnTheNextTick) {
  wire->Push(test::FixedPacket(3));
  Timer10msTimer(host);
  EXPECT_EQ(host.stats.At(5).text, "");
  Timer10msTimer(host);
  EXPECT_EQ(host.stats.At(5).text, "Packet Count: 1");
}

TEST_F(CycleTest, BadFlashPanelShowsAndLaysTheColumnOutOnlyOnChange) {
  Timer475msTimer(host);
  EXPECT_EQ(host.caption, "ZR Logger Host v7.06");
  EXPECT_FALSE(host.flashPanelVisible);
  host.layoutDirty = false;
  wire->Push(test::FixedPacket(2, {5, 0}));
  Timer10msTimer(host);
  Timer475msTimer(host);
  EXPECT_TRUE(host.flashPanelVisible);
  EXPECT_TRUE(host.layoutDirty);
  host.layoutDirty = false;
  wire->Push(test::FixedPacket(2, {5, 0}));
  Timer10msTimer(host);
  Timer475msTimer(host);
  EXPECT_FALSE(host.layoutDirty);
}

TEST_F(CycleTest, UploadBlockConsumerRunsWithinTheTickThatRecognisesIt) {
  int calls = 0;
  host.dispatcher.hooks().uploadBlock = [&] { ++calls; };
  wire->Push(test::FixedPacket(4));
  Timer10msTimer(host);
  EXPECT_EQ(calls, 1);
}

TEST_F(CycleTest, BacklogIsWorkedOffWithEveryRecordShownRelayedAndArchived) {
  // Three seconds of short records arrive at once, as after a stall.
  std::string expectedText;
  for (int i = 0; i < 100; ++i) {
    test::DataPacketFields fields;
    fields.sequence = static_cast<uint8_t>(i);
    fields.sources[0] = Format("L%02d\r\n", i);
    wire->Push(test::DataPacket(fields));
    expectedText += fields.sources[0];
  }
  host.display.running = true;
  RawPortCBChange(host.display, RealTimeDisplay::kParsedData, 0, 2);
  host.ports.ConfigurePort(1, 2, 6);
  host.deck.working[1] = {kDeckLoggerOutput, 2, 1};
  int archived = 0;
  host.consumer.hooks().archive = [&](const uint8_t* record, int, int) {
    archived += record[3] == archived ? 1 : 1000;  // each record once, in order
    return true;
  };
  host.recording.state = 2;

  for (int tick = 0; tick < 3; ++tick) Timer10msTimer(host);
  EXPECT_EQ(host.receiver.Counters().packetsRecognised, 100u);
  EXPECT_EQ(archived, 100);
  ASSERT_EQ(lines.size(), 100u);
  EXPECT_EQ(lines.front(), "L00");
  EXPECT_EQ(lines.back(), "L99");
  const test::Bytes relayed = wire->TakeFromHost();
  EXPECT_EQ(std::string(relayed.begin(), relayed.end()), expectedText);
  EXPECT_EQ(host.senders.sequenceErrorTotal, 0u);
}

}  // namespace
}  // namespace ql
