#include "link/Receiver.h"

#include <gtest/gtest.h>

#include "serial/PortTable.h"
#include "serial/SetupChecksum.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/Packets.h"

namespace ql {
namespace {

using test::Bytes;
using test::DataPacket;
using test::FixedPacket;

struct ReceiverTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  Receiver receiver{ports};
  std::vector<int> types;             // dispatched types 1..7 and 8, in order
  std::vector<Bytes> records;         // data records as handed over
  std::vector<int> refused;

  void SetUp() override {
    ports.ConfigurePort(0, 1, 6);
    receiver.hooks().dispatch = [this](int type, const uint8_t*) { types.push_back(type); };
    receiver.hooks().dataRecord = [this](uint8_t* record, int length, int) {
      types.push_back(8);
      records.emplace_back(record, record + length);
    };
    receiver.hooks().lengthRefused = [this](int length) { refused.push_back(length); };
  }

  int Step() { return receiver.ReceiveStep(0); }
};

TEST_F(ReceiverTest, RecognisesOnePacketPerCallAfterNoise) {
  wire->Push(Bytes{0x00, 0x55, 0x03, 0x07, 0xFF, 0x08, 0x01});
  wire->Push(FixedPacket(3));
  wire->Push(FixedPacket(5));
  EXPECT_EQ(Step(), Receiver::kPacket);
  EXPECT_EQ(types, (std::vector<int>{3}));
  EXPECT_EQ(Step(), Receiver::kPacket);  // nothing new read, the second comes now
  EXPECT_EQ(types, (std::vector<int>{3, 5}));
  EXPECT_EQ(Step(), Receiver::kIdle);
  EXPECT_EQ(receiver.Counters().packetsRecognised, 2u);
  EXPECT_EQ(receiver.Counters().totalInput, 7u + 132u + 64u);
  EXPECT_EQ(receiver.BufferedCount(), 0);
}

TEST_F(ReceiverTest, BadFixedPacketIsSkippedAndTheGoodOneBehindFoundInTheSameCall) {
  Bytes bad = FixedPacket(2, {0xAC, 0xAC});
  test::BreakChecksum(bad);
  wire->Push(test::Concat({bad, FixedPacket(2, {0xAC, 0xAC, 1})}));
  EXPECT_EQ(Step(), Receiver::kPacket);
  EXPECT_EQ(types, (std::vector<int>{2}));
  EXPECT_EQ(receiver.BufferedCount(), 0);
}

TEST_F(ReceiverTest, ElevenBytesAreNeverExamined) {
  wire->Push(Bytes(11, 0x02));
  EXPECT_EQ(Step(), Receiver::kBytesOnly);
  EXPECT_EQ(receiver.BufferedCount(), 11);
  EXPECT_EQ(Step(), Receiver::kIdle);
  EXPECT_EQ(receiver.BufferedCount(), 11);
}

TEST_F(ReceiverTest, StrayUploadTypePairHoldsRecognitionUntilItsLengthIsBuffered) {
  const Bytes status = FixedPacket(3);
  Bytes stream{0x04, 0x04};
  while (stream.size() < 1036) stream.insert(stream.end(), status.begin(), status.end());
  wire->readChunk = 500;
  wire->Push(stream);
  EXPECT_EQ(Step(), Receiver::kBytesOnly);
  EXPECT_EQ(Step(), Receiver::kBytesOnly);
  EXPECT_TRUE(types.empty());
  // With 1036 bytes the stray pair fails its checksum, one byte goes, then 04, and the
  // status packets behind are all found: more than 1 KB waited, a backlog.
  EXPECT_EQ(Step(), Receiver::kPacket);
  EXPECT_EQ(types, std::vector<int>(8, 3));
}

TEST_F(ReceiverTest, DataPacketsOfEveryLengthTheBufferHolds) {
  test::DataPacketFields empty;
  empty.sequence = 9;
  wire->Push(DataPacket(empty));  // L = 0: a complete 36-byte packet
  EXPECT_EQ(Step(), Receiver::kPacket);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].size(), 32u);
  EXPECT_EQ(records[0][3], 9);

  test::DataPacketFields longest;
  longest.sources[0] = std::string(kLongestPayload, 'x');
  wire->Push(DataPacket(longest));
  EXPECT_EQ(Step(), Receiver::kPacket);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].size(), static_cast<size_t>(kLongestPayload + 32));
  EXPECT_EQ(receiver.Counters().largestPayloadThisSecond, kLongestPayload);
}

TEST_F(ReceiverTest, DataPacketSplitOverTicksWaitsForItsTail) {
  test::DataPacketFields fields;
  fields.sources[0] = "T=12.345\r\n";
  const Bytes packet = DataPacket(fields);
  wire->Push(Bytes(packet.begin(), packet.begin() + 40));
  EXPECT_EQ(Step(), Receiver::kBytesOnly);
  EXPECT_EQ(receiver.DataExpected(), static_cast<int>(packet.size()));
  wire->Push(Bytes(packet.begin() + 40, packet.end()));
  EXPECT_EQ(Step(), Receiver::kPacket);
  EXPECT_EQ(types, (std::vector<int>{8}));
  EXPECT_EQ(receiver.DataExpected(), kDataEnvelope);
}

TEST_F(ReceiverTest, LengthsTheBufferCannotHoldAreRefusedAtOnce) {
  // 5000 (above any record), 4061 (a record, but not a packet this buffer completes)
  // and a length word with its top bit set.
  for (const uint16_t length : {uint16_t{5000}, uint16_t{4061}, uint16_t{0x8000}}) {
    refused.clear();
    types.clear();
    wire->Push(test::Concat({test::DataHeader(length), FixedPacket(3)}));
    // Scanning goes on in the same call: the status behind the header is found at once.
    EXPECT_EQ(Step(), Receiver::kPacket) << length;
    EXPECT_EQ(refused, (std::vector<int>{length})) << length;
    EXPECT_EQ(types, (std::vector<int>{3})) << length;
    EXPECT_EQ(receiver.DataExpected(), kDataEnvelope);
    EXPECT_EQ(receiver.BufferedCount(), 0);
  }
}

TEST_F(ReceiverTest, CorruptedDataPacketIsSkippedAndTheGoodOneBehindFoundInTheSameCall) {
  test::DataPacketFields a;
  a.sources[0] = std::string(40, 'a');
  test::DataPacketFields b;
  b.sources[0] = "b";
  b.sequence = 1;
  Bytes corrupted = DataPacket(a);
  test::BreakChecksum(corrupted);
  wire->Push(test::Concat({corrupted, DataPacket(b)}));
  EXPECT_EQ(Step(), Receiver::kPacket);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][3], 1);
  EXPECT_EQ(receiver.BufferedCount(), 0);
}

TEST_F(ReceiverTest, BurstOfDataTypeBytesHoldsUpAFullRateStreamOnlyBriefly) {
  // Inside a run of 0x08 every position reads as a data header announcing 2056 bytes
  // whose checksum fails. A 4 KB burst is dropped within the calls that bring in the
  // stream behind it, not one byte per call.
  Bytes stream(4096, 0x08);
  for (int i = 0; i < 300; ++i) {
    test::DataPacketFields fields;
    fields.sequence = static_cast<uint8_t>(i);
    fields.sources[0] = "T=1\r\n";
    const Bytes packet = DataPacket(fields);
    stream.insert(stream.end(), packet.begin(), packet.end());
  }
  // What 115200 baud carries in a 5 ms tick.
  constexpr size_t kPerTick = 58;
  size_t sent = 0;
  int calls = 0;
  while (sent < stream.size() || calls < 2) {
    const size_t n = std::min(kPerTick, stream.size() - sent);
    wire->Push(Bytes(stream.begin() + static_cast<long>(sent), stream.begin() + static_cast<long>(sent + n)));
    sent += n;
    Step();
    ++calls;
    // Nothing behind the burst waits longer than the 2 KB a false header there asks for.
    const size_t complete = sent > 4096 + 2092 ? (sent - 4096 - 2092) / 41 : 0;
    ASSERT_GE(records.size(), std::min<size_t>(complete, 300)) << "call " << calls;
  }
  Step();
  ASSERT_EQ(records.size(), 300u);
  for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i][3], static_cast<uint8_t>(i)) << i;
}

TEST_F(ReceiverTest, FalseDataStartWhoseChecksumMatchesByChanceIsNotAPacket) {
  // 2092 bytes of 0x08 read as a data packet of 2056 bytes; seal it so that its
  // checksum matches, as happens by chance somewhere in a long run of such noise. Its
  // nine counts (0x0808 each) add up to far more than its data: not a packet.
  Bytes noise(2092, 0x08);
  SealRecord(noise.data(), static_cast<int>(noise.size()));
  test::DataPacketFields fields;
  fields.sources[0] = "ok";
  // The zero bytes behind let the other false starts in the run (announcing up to
  // 0x08FF bytes) fail in their turn.
  wire->Push(test::Concat({noise, DataPacket(fields), Bytes(2400, 0)}));
  for (int call = 0; call < 3; ++call) Step();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].size(), 2u + 32u);

  // An empty record whose counts claim data is refused the same way.
  Bytes empty = DataPacket(test::DataPacketFields{});
  empty[13] = 1;
  SealRecord(empty.data(), static_cast<int>(empty.size()));
  wire->Push(empty);
  Step();
  EXPECT_EQ(records.size(), 1u);
}

TEST_F(ReceiverTest, FalseDataStartOnACorruptedPacketsLastByteHoldsNothingUp) {
  // A corrupted packet whose checksum ends in 0x08, then a good packet: scanning on from
  // the corrupted one, the last byte and the good packet's 08 08 read as a data header
  // announcing (sequence x 256) bytes. Its "counts" are the good packet's time and
  // counts, shifted by a byte; they add up to more than that, so it is refused at once
  // and the good packet behind is not held until over a kilobyte more has come in.
  test::DataPacketFields a;
  a.sources[0] = "T=1\r\n";
  Bytes corrupted = DataPacket(a);
  corrupted.back() = 0x08;
  test::DataPacketFields b = a;
  b.sequence = 5;
  b.time = 0x6933EB43;
  wire->Push(test::Concat({corrupted, DataPacket(b)}));
  for (int call = 0; call < 3; ++call) Step();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][3], 5);
  EXPECT_EQ(receiver.BufferedCount(), 0);

  // A header whose counts fit its length is still waited for.
  test::DataPacketFields c = a;
  c.sources[8] = std::string(600, 'x');
  const Bytes whole = DataPacket(c);
  wire->Push(Bytes(whole.begin(), whole.begin() + 400));
  Step();
  EXPECT_EQ(receiver.BufferedCount(), 400);
  wire->Push(Bytes(whole.begin() + 400, whole.end()));
  Step();
  EXPECT_EQ(records.size(), 2u);
}

TEST_F(ReceiverTest, OnePacketPerCallWhileKeepingUpSeveralWhileWorkingOffABacklog) {
  auto push = [&](int count, int firstSequence) {
    for (int i = 0; i < count; ++i) {
      test::DataPacketFields fields;  // 36 bytes each
      fields.sequence = static_cast<uint8_t>(firstSequence + i);
      wire->Push(DataPacket(fields));
    }
  };
  // 28 packets (1008 bytes) are not yet a backlog.
  push(28, 0);
  EXPECT_EQ(Step(), Receiver::kPacket);
  EXPECT_EQ(records.size(), 1u);
  EXPECT_FALSE(receiver.CatchingUp());

  // 200 packets more (7200 bytes): the receiver holds 4096 of them, the port the rest;
  // each call recognises up to the bound, every packet handed on in order.
  push(200, 28);
  EXPECT_EQ(Step(), Receiver::kPacket);
  EXPECT_EQ(records.size(), 1u + Receiver::kBacklogPackets);
  EXPECT_TRUE(receiver.CatchingUp());
  for (int call = 0; call < 4; ++call) Step();
  ASSERT_EQ(records.size(), 228u);
  for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i][3], static_cast<uint8_t>(i)) << i;
  EXPECT_FALSE(receiver.CatchingUp());  // worked off: back to one packet per call

  push(2, 0);
  EXPECT_EQ(Step(), Receiver::kPacket);
  EXPECT_EQ(records.size(), 229u);
  EXPECT_EQ(Step(), Receiver::kPacket);
  EXPECT_EQ(records.size(), 230u);
  EXPECT_EQ(receiver.Counters().packetsRecognised, 230u);
}

TEST_F(ReceiverTest, GoodDataPacketRightBehindACorruptedOneOfOtherLengthIsKept) {
  test::DataPacketFields a;
  a.sources[0] = std::string(40, 'a');
  test::DataPacketFields b;
  b.sources[0] = std::string(10, 'b');
  b.sequence = 1;
  Bytes corrupted = DataPacket(a);
  test::BreakChecksum(corrupted);
  wire->Push(test::Concat({corrupted, DataPacket(b)}));
  for (int i = 0; i < 200 && records.empty(); ++i) Step();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][3], 1);
  EXPECT_EQ(records[0].size(), 10u + 32u);
}

TEST_F(ReceiverTest, FlushDropsWhatWaitsAndWhatIsBuffered) {
  wire->Push(Bytes(11, 0x03));
  Step();
  wire->Push(Bytes(100, 0x01));
  receiver.FlushReceiver();
  EXPECT_EQ(receiver.BufferedCount(), 0);
  EXPECT_TRUE(wire->toHost.empty());
  EXPECT_EQ(receiver.DataExpected(), kDataEnvelope);
}

TEST_F(ReceiverTest, ReplayStatesReportAPacketEvenWhenNothingIsDelivered) {
  int calls = 0;
  Bytes next;
  receiver.hooks().replay = [&](uint8_t* buffer, int capacity) {
    ++calls;
    std::copy(next.begin(), next.end(), buffer);
    return static_cast<int>(next.size());
  };
  wire->Push(FixedPacket(3));  // the port is not read while replaying
  EXPECT_EQ(receiver.ReceiveStep(5), Receiver::kPacket);
  test::DataPacketFields fields;
  fields.sources[8] = "analog";
  next = DataPacket(fields);
  EXPECT_EQ(receiver.ReceiveStep(6), Receiver::kPacket);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(types, (std::vector<int>{8}));
  EXPECT_EQ(wire->toHost.size(), 132u);
}

TEST_F(ReceiverTest, BytesReadHookSeesEveryByteBeforeFraming) {
  Bytes seen;
  receiver.hooks().bytesRead = [&](const uint8_t* b, int n) { seen.insert(seen.end(), b, b + n); };
  const Bytes stream = test::Concat({Bytes{9, 9, 9}, FixedPacket(7)});
  wire->Push(stream);
  Step();
  EXPECT_EQ(seen, stream);
}

}  // namespace
}  // namespace ql
