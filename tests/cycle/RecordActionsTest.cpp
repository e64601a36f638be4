#include "cycle/RecordActions.h"

#include <gtest/gtest.h>

#include "archive/ArchiveRecord.h"
#include "common/Calendar.h"
#include "cycle/Cycle.h"
#include "cycle/HostState.h"
#include "cycle/LinkHealth.h"
#include "flash/RunExtraction.h"
#include "flash/RunFileBytes.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/Packets.h"
#include "support/TempDirectory.h"

namespace ql {
namespace {

using test::Bytes;

// A host on an in-memory logger port that notes every record its consumer accepted.
struct Host {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  HostState host;
  std::vector<Bytes> accepted;

  explicit Host(test::FakeClock& clock) : host(test::MemoryFactory(wire), clock, person) {
    host.loggerPort.comIndex = 1;
    LoggerPortCBChange(host);
    host.receiver.hooks().dataRecord = [this](uint8_t* record, int length, int state) {
      const int result = host.consumer.ConsumeDataRecord(record, length, state);
      if (result >= DataRecordConsumer::kArchived && result <= DataRecordConsumer::kNotRecorded) {
        accepted.emplace_back(record, record + length);
      }
    };
  }
  void Tick() { Timer10msTimer(host); }
};

Bytes Packet(int sender, int sequence, const std::string& text, const std::string& analog = "") {
  test::DataPacketFields f;
  f.sender = static_cast<uint8_t>(sender);
  f.sequence = static_cast<uint8_t>(sequence);
  f.time = static_cast<uint32_t>(1000 + sequence);
  f.sources[0] = text;
  f.sources[8] = analog;
  return test::DataPacket(f);
}

Bytes Joined(const std::vector<Bytes>& records) {
  Bytes all;
  for (const Bytes& r : records) all.insert(all.end(), r.begin(), r.end());
  return all;
}

struct RecordActionsTest : ::testing::Test {
  test::TempDirectory dir;
  test::FakeClock clock;
  Host live{clock};

  // A live stream from two senders, recorded into a continuous archive.
  std::string RecordLive() {
    const std::string name = dir.File("cast.arc");
    live.person.files.push_back(name);
    BTRecordArchiveClick(live.host);
    EXPECT_EQ(live.person.fileDialogs.back().title, "Record Continuous Archive");
    for (int seq = 0; seq < 6; ++seq) {
      live.wire->Push(Packet(2, seq, "T=12.9 C=35.3\r\n", std::string("\x01\x02\x08\x08", 4)));
      live.wire->Push(Packet(3, seq, std::string(40 + seq, 'q')));
      if (seq == 2) live.wire->Push(Packet(3, seq, "again"));  // a duplicate, dropped
      for (int i = 0; i < 3; ++i) live.Tick();
    }
    BTStopRecordClick(live.host);
    return name;
  }

  void ReplayAll(Host& h, const std::string& name) {
    h.person.files.push_back(name);
    h.host.recording.replay.speed = 10;
    ReplayArchiveBTClick(h.host);
    EXPECT_EQ(h.host.recording.state, kReplayArchive);
    for (int i = 0; i < 100 && h.host.recording.state != kRecordOff; ++i) h.Tick();
  }
};

TEST_F(RecordActionsTest, ArchiveHoldsExactlyTheAcceptedRecordsLittleEndian) {
  const std::string name = RecordLive();
  ASSERT_EQ(live.accepted.size(), 12u);
  EXPECT_EQ(test::ReadFileBytes(name), Joined(live.accepted));
  const Bytes first = test::ReadFileBytes(name);
  EXPECT_EQ(GetU16LE(&first[archive::kDataLength]), 19);  // 15 text + 4 analog bytes
  EXPECT_EQ(GetU32LE(&first[archive::kTime]), 1000u);
  EXPECT_EQ(GetU16LE(&first[archive::kCounts + 16]), 4);
  EXPECT_EQ(live.host.recording.byteCounter, static_cast<int64_t>(first.size()));
}

TEST_F(RecordActionsTest, ReplayReproducesTheAcceptedRecordsAndStatistics) {
  const std::string name = RecordLive();
  Host again(clock);
  ReplayAll(again, name);
  EXPECT_EQ(again.host.recording.state, kRecordOff);
  EXPECT_TRUE(again.host.recording.StartButtonsEnabled());
  EXPECT_EQ(again.accepted, live.accepted);
  EXPECT_EQ(again.host.senders.packets, live.host.senders.packets);
  EXPECT_EQ(again.host.senders.errors, live.host.senders.errors);
  EXPECT_EQ(again.host.senders.sequenceErrorTotal, 0u);
}

TEST_F(RecordActionsTest, ReplayShowsEveryPieceOfAGroupTheExtractionSplit) {
  // Under one header, five ports of 1800 bytes: a 9000-byte group, which the extraction
  // writes as three records that carry the header's sender, sequence and time.
  Bytes run = test::RunRecord(25, test::HeaderBody(2, 0, 77));
  std::string group;
  for (const int type : {1, 2, 3, 4, 15}) {
    const std::string port(1800, static_cast<char>('a' + type));
    run = test::Concat({run, test::RunRecord(type, port)});
    group += port;
  }
  const std::string runFile = dir.File("run.005");
  test::WriteFileBytes(runFile, run);
  ExtractRunBeside(runFile, kExtractArchivePlusRaw, false, live.host.extraction, live.person);
  const Bytes archive = test::ReadFileBytes(dir.File("archive.005"));
  ASSERT_EQ(archive.size(), group.size() + 3 * archive::kEnvelope);

  // Replayed by a host of its own wiring, the whole group reaches the display once.
  test::FakeOperator person;
  HostState host(test::MemoryFactory(std::make_shared<test::MemoryWire>()), clock, person);
  std::string shown;
  host.consumer.hooks().accepted = [&shown, plot = host.consumer.hooks().accepted](const uint8_t* record) {
    plot(record);
    for (int source = 0; source < archive::kSources; ++source) shown += SourceData(record, source);
  };
  person.files.push_back(dir.File("archive.005"));
  host.recording.replay.speed = 10;
  ReplayArchiveBTClick(host);
  for (int i = 0; i < 20 && host.recording.state != kRecordOff; ++i) Timer10msTimer(host);
  EXPECT_EQ(host.recording.state, kRecordOff);
  EXPECT_EQ(shown, group);
  EXPECT_EQ(host.senders.packets[2], 1u);  // one record of the logger's
  EXPECT_EQ(host.senders.sequenceErrorTotal, 0u);

  // Live, a record with the sender and sequence of the one before stays a duplicate.
  shown.clear();
  auto wire = std::make_shared<test::MemoryWire>();
  HostState liveHost(test::MemoryFactory(wire), clock, person);
  liveHost.loggerPort.comIndex = 1;
  LoggerPortCBChange(liveHost);
  liveHost.consumer.hooks().accepted = host.consumer.hooks().accepted;
  wire->Push(Packet(2, 0, "first"));
  wire->Push(Packet(2, 0, "again"));
  for (int i = 0; i < 3; ++i) Timer10msTimer(liveHost);
  EXPECT_EQ(shown, "first");
}

TEST_F(RecordActionsTest, ReplayStartedInTheMiddleOfALivePacketLosesNoRecord) {
  const std::string name = RecordLive();
  Host again(clock);
  const Bytes half = Packet(4, 0, std::string(1000, 'z'));
  again.wire->Push(Bytes(half.begin(), half.begin() + 300));
  again.Tick();
  ASSERT_EQ(again.host.receiver.DataExpected(), 1036);
  ReplayAll(again, name);
  EXPECT_EQ(again.accepted, live.accepted);
  EXPECT_EQ(again.host.receiver.DataExpected(), archive::kEnvelope + 4);

  // Leaving replay forgets as well: the live stream goes on with whole packets.
  again.accepted.clear();
  again.wire->Push(Packet(4, 0, "after"));
  again.Tick();
  EXPECT_EQ(again.accepted.size(), 1u);
}

TEST_F(RecordActionsTest, CancelledDialogsChangeNothing) {
  BTRecordArchiveClick(live.host);
  BTRecord1HourClick(live.host);
  BTRecord1DayClick(live.host);
  BTRecordRawClick(live.host);
  ReplayArchiveBTClick(live.host);
  ReplayContinuousBTClick(live.host);
  EXPECT_EQ(live.host.recording.state, kRecordOff);
  ASSERT_EQ(live.person.fileDialogs.size(), 6u);
  EXPECT_EQ(live.person.fileDialogs[1].title, "Record 1 Hour Archive");
  EXPECT_EQ(live.person.fileDialogs[2].title, "Record 1 Day Archive");
  EXPECT_EQ(live.person.fileDialogs[3].title, "Record Raw File");
  EXPECT_EQ(live.person.fileDialogs[3].filter, "Raw Files|*.raw|All Files|*.*");
  EXPECT_EQ(live.person.fileDialogs[4].title, "Open Archive For Replay");
  EXPECT_EQ(live.person.fileDialogs[5].title, "Open Archive For Continuous Replay");
}

TEST_F(RecordActionsTest, HourlyRecordingMovesToTheNewHourAtTheFirstTickThatShowsIt) {
  clock.SetUtc(FromCalendar(2026, 12, 7, 10, 59, 58));
  live.Tick();
  const std::string base = dir.File("cast");
  live.person.files.push_back(base);
  BTRecord1HourClick(live.host);
  ASSERT_EQ(live.host.recording.state, kRecordHourly);

  // 10:59:58 .. 11:01:02, a record every half second, the one-second tick each second.
  for (int half = 0; half < 130; ++half) {
    live.wire->Push(Packet(2, half % 256, "x"));
    clock.AdvanceMs(500);
    live.Tick();
    if (half % 2 == 1) Timer1000msTimer(live.host);
  }
  BTStopRecordClick(live.host);
  const size_t recordSize = Packet(2, 0, "x").size() - 4;
  const auto at10 = test::ReadFileBytes(base + "26_341.010");
  const auto at11 = test::ReadFileBytes(base + "26_341.011");
  // Records read at 10:59:58.5 .. 11:00:00.0 precede the first one-second tick that
  // shows 11:00.
  EXPECT_EQ(at10.size(), 4 * recordSize);
  EXPECT_EQ(at11.size(), 126 * recordSize);
  EXPECT_EQ(live.host.recording.fileNameLabel, "1 Hour Archive File:  " + base + "26_341.011");
}

TEST_F(RecordActionsTest, PcLoggerRecordsShareSenderOnesSequenceAndReachTheArchive) {
  const std::string name = dir.File("pc.arc");
  live.person.files.push_back(name);
  BTRecordArchiveClick(live.host);
  for (int i = 0; i < 500; ++i) {  // 2.5 s with nothing to carry
    clock.AdvanceMs(5);
    live.Tick();
  }
  EXPECT_EQ(live.host.senders.packets[1], 0u);
  EXPECT_EQ(live.host.recording.pcLogger.Sequence(), 0);

  live.host.deckPorts.recordPcTime = true;  // "Add PC Time to Port 9 " ticked
  for (int i = 0; i < 420; ++i) {
    clock.AdvanceMs(5);
    live.Tick();
  }
  EXPECT_EQ(live.host.senders.packets[1], 2u);
  EXPECT_EQ(live.host.consumer.LastSequence(1), 1);
  const Bytes file = test::ReadFileBytes(name);
  ASSERT_EQ(file.size(), 2u * (23 + 32));
  EXPECT_EQ(file[archive::kSender], 1);
  EXPECT_EQ(file[23 + 32 + archive::kSequence], 1);
  EXPECT_EQ(GetU16LE(&file[archive::kDataLength]), 23);
  EXPECT_EQ(GetU16LE(&file[archive::kCounts + 16]), 23);
}

TEST_F(RecordActionsTest, PcLoggerFollowsTheDeckRateAndCountsWhatItsMeterPortsDeliver) {
  // At 4 Hz the PC time goes out every 250 ms.
  live.host.deckPorts.recordPcTime = true;
  UDDeckRateClick(live.host.deckPorts.rate, 4);
  ASSERT_EQ(live.host.deckPorts.rate.interval, 250);
  for (int i = 0; i < 200; ++i) {  // one second
    clock.AdvanceMs(5);
    live.Tick();
  }
  EXPECT_GE(live.host.senders.packets[1], 3u);
  EXPECT_LE(live.host.senders.packets[1], 4u);

  // A Meter Input port's bytes go into the records and show as its "In" count on the
  // one-second tick, which then starts counting afresh.
  live.host.deckPorts.recordPcTime = false;
  live.host.ports.ClosePort(PortTable::kLoggerSlot);  // the memory line is the meter's alone
  live.host.deck.working[3].function = kDeckMeterInput;
  live.host.ports.ConfigurePort(3, 3, 6);
  live.wire->Push(std::string("T=12.941 C=35.37\r\n"));
  for (int i = 0; i < 100; ++i) {
    clock.AdvanceMs(5);
    live.Tick();
  }
  Timer1000msTimer(live.host);
  EXPECT_EQ(live.host.deckPorts.Row(3).label, "Port 3:  In    18");
  Timer1000msTimer(live.host);
  EXPECT_EQ(live.host.deckPorts.Row(3).label, "Port 3:  In     0");
}

}  // namespace
}  // namespace ql
