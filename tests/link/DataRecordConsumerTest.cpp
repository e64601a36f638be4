#include "link/DataRecordConsumer.h"

#include <gtest/gtest.h>

#include "common/ByteOrder.h"
#include "link/DeckConfig.h"
#include "link/RealTimeDisplay.h"
#include "link/SenderStatistics.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/Packets.h"

namespace ql {
namespace {

struct ConsumerTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  SenderStatistics stats;
  DeckConfig deck;
  RealTimeDisplay display;
  DataRecordConsumer consumer{stats, deck, ports, display, person};
  std::vector<test::Bytes> archived;

  void SetUp() override {
    consumer.hooks().archive = [this](const uint8_t* r, int length, int) {
      archived.emplace_back(r, r + length);
      return true;
    };
  }

  int Feed(int sender, int sequence, const std::string& port1 = "x", int state = 0,
           const std::string& analog = "") {
    test::DataPacketFields fields;
    fields.sender = static_cast<uint8_t>(sender);
    fields.sequence = static_cast<uint8_t>(sequence);
    fields.time = 0x01020304;
    fields.sources[0] = port1;
    fields.sources[8] = analog;
    test::Bytes p = test::DataPacket(fields);
    return consumer.ConsumeDataRecord(p.data() + 2, static_cast<int>(p.size()) - 4, state);
  }
};

TEST_F(ConsumerTest, DuplicatesAreDroppedAndGapsCounted) {
  for (int q : {0, 1, 1, 2}) Feed(2, q);
  EXPECT_EQ(stats.packets[2], 3u);
  EXPECT_EQ(stats.errors[2], 0u);

  // 0, 1, 4, 5 from sender 1: 4 is dropped with a gap of 2; 5 follows on.
  EXPECT_EQ(Feed(1, 0), DataRecordConsumer::kNotRecorded);
  Feed(1, 1);
  EXPECT_EQ(Feed(1, 4), DataRecordConsumer::kOutOfSequence);
  EXPECT_EQ(stats.errors[1], 1u);
  EXPECT_EQ(stats.gap[1], 2u);
  EXPECT_EQ(Feed(1, 5), DataRecordConsumer::kNotRecorded);
  EXPECT_EQ(stats.sequenceErrorTotal, 1u);

  // A sender's first record must carry 0: 254 is an error, 255 and 0 follow across the wrap.
  EXPECT_EQ(Feed(3, 254), DataRecordConsumer::kOutOfSequence);
  EXPECT_EQ(stats.gap[3], 254u);
  EXPECT_EQ(Feed(3, 255), DataRecordConsumer::kNotRecorded);
  EXPECT_EQ(Feed(3, 0), DataRecordConsumer::kNotRecorded);
  EXPECT_EQ(stats.packets[3], 3u);
  EXPECT_EQ(stats.errors[3], 1u);
  // A wrap that skips: last 250, then 3 gives 3 + 255 - 250 = 8 missing.
  Feed(4, 0);
  for (int q = 1; q <= 250; ++q) Feed(4, q);
  Feed(4, 3);
  EXPECT_EQ(stats.gap[4], 8u);
}

TEST_F(ConsumerTest, EmptyRecordsOnlyMoveTheSequence) {
  EXPECT_EQ(Feed(2, 7, ""), DataRecordConsumer::kNoData);
  EXPECT_EQ(consumer.LastSequence(2), 7);
  EXPECT_EQ(Feed(2, 8), DataRecordConsumer::kNotRecorded);
  EXPECT_EQ(stats.errors[2], 0u);
}

TEST_F(ConsumerTest, HighSendersRaiseTheMuxIdErrorAndStayOutOfTheTables) {
  EXPECT_EQ(Feed(6, 7), DataRecordConsumer::kBadSender);
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Mux ID Error");
  EXPECT_EQ(person.boxes[0].text, "\r\nSender Unit 6 6");
  EXPECT_EQ(consumer.LastSequence(6), 0xFF);
  // IDs past the nine-entry table behave the same and touch nothing.
  EXPECT_EQ(Feed(200, 0xFF), DataRecordConsumer::kDuplicate);
  EXPECT_EQ(Feed(200, 3), DataRecordConsumer::kBadSender);
  EXPECT_EQ(Feed(200, 4, ""), DataRecordConsumer::kNoData);
  EXPECT_EQ(consumer.LastSequence(200), 0xFF);
  EXPECT_EQ(stats.sequenceErrorTotal, 0u);
}

TEST_F(ConsumerTest, RecordingStatesHandTheRecordOverInLittleEndianOrder) {
  EXPECT_EQ(Feed(2, 0, "abc", 2, "zz"), DataRecordConsumer::kArchived);
  ASSERT_EQ(archived.size(), 1u);
  const test::Bytes& r = archived[0];
  ASSERT_EQ(r.size(), 5u + 32u);
  EXPECT_EQ(GetI16LE(&r[4]), 5);
  EXPECT_EQ(GetI32LE(&r[6]), 0x01020304);
  EXPECT_EQ(GetI16LE(&r[10]), 3);
  EXPECT_EQ(GetI16LE(&r[26]), 2);
  EXPECT_EQ(std::string(r.begin() + 28, r.end()), "abczz####");

  EXPECT_EQ(Feed(2, 1, "d", 3), DataRecordConsumer::kPeriodicArchived);
  EXPECT_EQ(Feed(2, 2, "e", 5), DataRecordConsumer::kNotRecorded);
  consumer.hooks().archive = [](const uint8_t*, int, int) { return false; };
  EXPECT_EQ(Feed(2, 3, "f", 2), DataRecordConsumer::kArchiveFailed);
  EXPECT_EQ(Feed(2, 4, "g", 4), DataRecordConsumer::kPeriodicArchiveFailed);
  // Dropped records are never written.
  consumer.hooks().archive = [this](const uint8_t* r, int length, int) {
    archived.emplace_back(r, r + length);
    return true;
  };
  Feed(2, 4, "dup", 2);
  Feed(2, 9, "gap", 2);
  EXPECT_EQ(archived.size(), 2u);
}

TEST_F(ConsumerTest, ParsedDisplayShowsTheChosenPortOfTheChosenLogger) {
  display.running = true;
  display.source = RealTimeDisplay::kParsedData;
  display.loggerId = 2;
  display.port = RealTimeDisplay::kAllAnalogData;
  Feed(2, 0, "T=1\r\n", 0, "A1");
  EXPECT_EQ(display.parsedExtract, "A1");
  display.parsedExtract.clear();
  Feed(3, 0, "other", 0, "A2");
  EXPECT_EQ(display.parsedExtract, "");
  display.port = 0;
  Feed(2, 1, "T=2\r\n");
  EXPECT_EQ(display.parsedExtract, "T=2\r\n");
  display.parsedExtract.clear();
  display.port = 3;  // a port with no bytes shows nothing
  Feed(2, 2, "T=3\r\n");
  EXPECT_EQ(display.parsedExtract, "");
}

TEST_F(ConsumerTest, RelaySendsTheChosenSourceToLoggerOutputDeckPortsOnly) {
  ports.ConfigurePort(3, 4, 6);
  deck.working[3] = {kDeckLoggerOutput, 2, 1};
  deck.working[4] = {kDeckMeterInput, 2, 1};  // not an output
  deck.working[5] = {kDeckLoggerOutput, 1, 1};  // another logger
  Feed(2, 0, "CTD\r\n", 0, "99");
  EXPECT_EQ(wire->TakeFromHost(), (test::Bytes{'C', 'T', 'D', '\r', '\n'}));
  EXPECT_EQ(consumer.deckOutput[3], 5u);
  EXPECT_EQ(consumer.deckOutput[4], 0u);

  deck.working[3] = {kDeckLoggerOutput, 0, 9};
  Feed(0, 0, "x", 0, "99");  // sender 0 is shown and recorded, never relayed
  EXPECT_TRUE(wire->fromHost.empty());
}

TEST_F(ConsumerTest, CountsReachingPastTheDataReadNothingOutsideTheRecord) {
  test::DataPacketFields fields;
  fields.sources[0] = "abcd";
  test::Bytes p = test::DataPacket(fields);
  PutU16BE(&p[2 + 10 + 2], 3000);  // port 2 claims far more than the record holds
  display.running = true;
  display.loggerId = 2;
  display.port = 1;
  ports.ConfigurePort(1, 2, 6);
  deck.working[1] = {kDeckLoggerOutput, 2, 2};
  EXPECT_EQ(consumer.ConsumeDataRecord(p.data() + 2, static_cast<int>(p.size()) - 4, 0),
            DataRecordConsumer::kNotRecorded);
  EXPECT_EQ(display.parsedExtract, "");
  EXPECT_TRUE(wire->fromHost.empty());
}

}  // namespace
}  // namespace ql
