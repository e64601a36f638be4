#include <gtest/gtest.h>

#include <array>

#include "ArchiveBytes.h"
#include "archive/Recording.h"
#include "common/ByteOrder.h"
#include "link/PacketFraming.h"
#include "support/FakeOperator.h"
#include "support/TempDirectory.h"

namespace ql {
namespace {

using test::ArchiveRecordBytes;
using test::Bytes;

struct ReplayReaderTest : ::testing::Test {
  test::TempDirectory dir;
  test::FakeOperator person;
  Recording rec{person};
  std::array<uint8_t, kRxBufferSize> buffer{};

  std::string Archive(std::initializer_list<Bytes> records) {
    Bytes all;
    for (const Bytes& r : records) all.insert(all.end(), r.begin(), r.end());
    const std::string name = dir.File("replay.arc");
    test::WriteFileBytes(name, all);
    return name;
  }
  int Read() { return rec.ReadReplayPacket(buffer.data(), kRxBufferSize); }
  // Calls until a packet comes (or the stop request); how many calls that took.
  int TicksToNext() {
    for (int calls = 1; calls < 100; ++calls) {
      if (Read() > 0 || rec.replay.stopRequest) return calls;
    }
    return -1;
  }
};

TEST_F(ReplayReaderTest, EachRecordBecomesTheDataPacketTheLoggerWouldHaveSent) {
  const Bytes record = ArchiveRecordBytes(3, 9, "T=1.5\r\n", 0x01020304);
  ASSERT_TRUE(rec.StartReplay(kReplayArchive, Archive({record}), 0));
  EXPECT_EQ(rec.replay.fileSize, static_cast<int64_t>(record.size()));
  const int n = Read();
  ASSERT_EQ(n, static_cast<int>(record.size()) + 4);
  EXPECT_EQ(buffer[0], 8);
  EXPECT_EQ(buffer[1], 8);
  EXPECT_EQ(buffer[2 + 2], 3);
  EXPECT_EQ(buffer[2 + 3], 9);
  EXPECT_EQ(GetU16BE(&buffer[2 + 4]), 7);
  EXPECT_EQ(GetU32BE(&buffer[2 + 6]), 0x01020304u);
  EXPECT_EQ(GetU16BE(&buffer[2 + 10]), 7);
  EXPECT_EQ(std::string(buffer.begin() + 30, buffer.begin() + 37), "T=1.5\r\n");
  EXPECT_TRUE(PacketChecksumOk(buffer.data(), n));

  // Single replay: the end of the file asks for the stop.
  EXPECT_EQ(TicksToNext(), 3);
  EXPECT_TRUE(rec.replay.stopRequest);
  EXPECT_EQ(rec.byteCounter, static_cast<int64_t>(record.size()));
}

TEST_F(ReplayReaderTest, SpeedSetsTheTicksFromOneRecordToTheNext) {
  const std::string name = Archive({ArchiveRecordBytes(2, 0, "a")});
  const int ticks[] = {19, 9, 6, 4, 3, 3, 2, 2, 2, 1};
  for (int speed = 1; speed <= 10; ++speed) {
    rec.replay.speed = speed;
    ASSERT_TRUE(rec.StartReplay(kReplayContinuous, name, 0));
    TicksToNext();  // whatever the countdown held from before
    EXPECT_EQ(TicksToNext(), ticks[speed - 1]) << "speed " << speed;
    rec.Stop();
  }
}

TEST_F(ReplayReaderTest, ContinuousReplayStartsAgainFromTheBeginning) {
  rec.replay.speed = 10;
  ASSERT_TRUE(rec.StartReplay(kReplayContinuous, Archive({ArchiveRecordBytes(2, 0, "a"), ArchiveRecordBytes(4, 0, "bb")}), 0));
  std::vector<int> senders;
  for (int i = 0; i < 5; ++i) {
    ASSERT_GT(Read(), 0);
    senders.push_back(buffer[4]);
  }
  EXPECT_EQ(senders, (std::vector<int>{2, 4, 2, 4, 2}));
  EXPECT_FALSE(rec.replay.stopRequest);
}

TEST_F(ReplayReaderTest, EmptyAndCutShortFilesStopTheReplay) {
  rec.replay.speed = 10;
  const std::string empty = Archive({});
  ASSERT_TRUE(rec.StartReplay(kReplayArchive, empty, 0));
  EXPECT_EQ(Read(), 0);
  EXPECT_TRUE(rec.replay.stopRequest);
  rec.Stop();
  ASSERT_TRUE(rec.StartReplay(kReplayContinuous, empty, 0));
  EXPECT_EQ(Read(), 0);
  EXPECT_TRUE(rec.replay.stopRequest);
  rec.Stop();

  // The last record lacks its trailer: a continuous replay stops there instead of wrapping.
  Bytes cut = ArchiveRecordBytes(2, 1, "xyz");
  cut.resize(cut.size() - 2);
  ASSERT_TRUE(rec.StartReplay(kReplayContinuous, Archive({ArchiveRecordBytes(2, 0, "a"), cut}), 0));
  EXPECT_GT(Read(), 0);
  EXPECT_EQ(Read(), 0);
  EXPECT_TRUE(rec.replay.stopRequest);
  // A header cut short as well.
  rec.Stop();
  ASSERT_TRUE(rec.StartReplay(kReplayArchive, Archive({Bytes(20, 0)}), 0));
  EXPECT_EQ(Read(), 0);
  EXPECT_TRUE(rec.replay.stopRequest);
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(ReplayReaderTest, LengthsNoRecordCanHaveStopTheReplayWithAMessage) {
  for (const int length : {-1, 4061, 4097, 32767}) {
    Bytes bad = ArchiveRecordBytes(2, 0, "");
    PutU16LE(&bad[archive::kDataLength], static_cast<uint16_t>(length));
    bad.resize(bad.size() + 5000, 0x55);
    ASSERT_TRUE(rec.StartReplay(kReplayContinuous, Archive({ArchiveRecordBytes(2, 0, "ok"), bad}), 0));
    rec.replay.speed = 10;
    person.boxes.clear();
    EXPECT_GT(Read(), 0);
    EXPECT_EQ(Read(), 0) << length;
    EXPECT_TRUE(rec.replay.stopRequest);
    ASSERT_EQ(person.boxes.size(), 1u);
    EXPECT_EQ(person.boxes[0].caption, "Replay Stopped");
    EXPECT_NE(person.boxes[0].text.find(std::to_string(length)), std::string::npos);
    EXPECT_EQ(person.boxes[0].text.find("more than replay can take (4060)") != std::string::npos, length == 4061);
    rec.Stop();
  }
  // The longest record the receive buffer can take still plays.
  ASSERT_TRUE(rec.StartReplay(kReplayArchive, Archive({ArchiveRecordBytes(2, 0, std::string(4060, 'L'))}), 0));
  EXPECT_EQ(Read(), kRxBufferSize);
  EXPECT_TRUE(PacketChecksumOk(buffer.data(), kRxBufferSize));
}

TEST_F(ReplayReaderTest, AFileThatCannotBeOpenedChangesNothing) {
  EXPECT_FALSE(rec.StartReplay(kReplayArchive, dir.File("missing.arc"), 0));
  EXPECT_EQ(rec.state, kRecordOff);
  EXPECT_TRUE(person.boxes.empty());
}

}  // namespace
}  // namespace ql
