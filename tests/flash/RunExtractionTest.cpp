#include "flash/RunExtraction.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "RunFileBytes.h"
#include "common/ByteOrder.h"
#include "link/DataRecordConsumer.h"
#include "link/DeckConfig.h"
#include "link/RealTimeDisplay.h"
#include "link/SenderStatistics.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql {
namespace {

using test::ArchiveBytes;
using test::ArchiveFields;
using test::Bytes;
using test::Concat;
using test::HeaderBody;
using test::RunRecord;
using test::TimedBody;

enum : int {
  kMeter1 = 1,
  kMeter2 = 2,
  kMux1 = 5,
  kMux2 = 6,
  kBattery = 9,
  kTimeStamp = 10,
  kSummary = 11,
  kAnalog = 12,
  kAnalogTimed = 13,
  kArchiveTime = 14,
  kMeter5 = 15,
  kMux8 = 22,
  kArchiveRecord = 23,
  kSenderId = 24,
  kHeader = 25,
};

// What live recording writes for a data packet: the record handed to the archive writer
// by the data record consumer.
Bytes LiveArchiveRecord(Bytes packet) {
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(std::make_shared<test::MemoryWire>()), person};
  SenderStatistics stats;
  DeckConfig deck;
  RealTimeDisplay display;
  DataRecordConsumer consumer{stats, deck, ports, display, person};
  Bytes written;
  consumer.hooks().archive = [&](const uint8_t* r, int length, int) {
    written.assign(r, r + length);
    return true;
  };
  constexpr int kContinuousArchive = 2;
  consumer.ConsumeDataRecord(packet.data() + 2, static_cast<int>(packet.size()) - 4, kContinuousArchive);
  return written;
}

struct ExtractionTest : ::testing::Test {
  test::TempFolder folder;
  test::FakeOperator person;
  ExtractionMemory memory;

  ExtractionReport Extract(const std::string& name, const Bytes& run, int choice = kExtractArchive,
                           bool debug = false) {
    ExtractionRequest request;
    request.runFile = folder.Write(name, run);
    request.outputFolder = folder.path();
    request.choice = choice;
    request.debugLog = debug;
    return ExtractRun(request, memory, person);
  }
};

TEST_F(ExtractionTest, OutputNamesCarryTheRunNumberAndNamesWithoutOneAreRefused) {
  const Bytes run = RunRecord(kBattery, "volts");
  EXPECT_FALSE(Extract("run.007", run).Failed());
  EXPECT_EQ(folder.ReadText("Battery.007"), "volts");
  EXPECT_FALSE(Extract("run.1234", run).Failed());
  EXPECT_TRUE(folder.Has("Battery.1234"));
  EXPECT_TRUE(person.boxes.empty());

  // Nothing is created for a refused name, not even the debug log.
  test::TempFolder other;
  ExtractionRequest request;
  request.runFile = folder.Write("cast.dat", run);
  request.outputFolder = other.path();
  const ExtractionReport report = ExtractRun(request, memory, person);
  EXPECT_EQ(report.outcome, ExtractionReport::Outcome::kBadName);
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Unusable File Name '" + request.runFile.string());
  EXPECT_EQ(person.boxes[0].text, "Extraction Requires name.xxx, where xxx=000-999");
  EXPECT_TRUE(other.Names().empty());

  // A missing file, a folder, a pipe that would never end (where there are named pipes):
  // silently nothing.
  std::vector<std::string> unreadable = {"run.008", "run.010"};
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((folder.path() / "run.009").c_str(), 0600), 0);
  unreadable.push_back("run.009");
#endif
  std::filesystem::create_directory(folder.path() / "run.010");
  for (const std::string& name : unreadable) {
    request.runFile = folder.path() / name;
    EXPECT_EQ(ExtractRun(request, memory, person).outcome, ExtractionReport::Outcome::kUnreadable) << name;
  }
  EXPECT_EQ(person.boxes.size(), 1u);
  EXPECT_TRUE(other.Names().empty());
}

// METER, ANALOG and ARCHIVE HEADER records: the archive file is rebuilt from the port
// records only when the raw files are asked for.
Bytes MeterRun() {
  return Concat({RunRecord(kHeader, HeaderBody(3, 7, 1000)), RunRecord(kMeter1, "a1"), RunRecord(kMeter1, "A1"),
                 RunRecord(kAnalog, "an"), RunRecord(kMeter5, "p5"), RunRecord(kBattery, "bat"),
                 RunRecord(kHeader, HeaderBody(3, 8, 2000, true)), RunRecord(kMeter2, "b2"),
                 RunRecord(kHeader, HeaderBody(3, 9, 3000)), RunRecord(kSummary, Bytes(256, 0))});
}

TEST_F(ExtractionTest, HeaderGroupedRunsGiveAnEmptyArchiveWithoutRawFiles) {
  const ExtractionReport report = Extract("run.001", MeterRun(), kExtractArchive);
  EXPECT_EQ(report.records, 10u);
  EXPECT_FALSE(report.Damaged());
  EXPECT_EQ(folder.Read("archive.001"), Bytes{});
  EXPECT_EQ(folder.ReadText("Battery.001"), "bat");
  EXPECT_TRUE(folder.Has("Summary.001"));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Battery.001", "Summary.001", "archive.001", "log.dat", "run.001"}));
  EXPECT_EQ(folder.Read("log.dat"), Bytes{});
}

TEST_F(ExtractionTest, HeaderGroupedRunsAreRebuiltWithTheRawChoice) {
  Extract("run.001", MeterRun(), kExtractArchivePlusRaw);
  EXPECT_EQ(folder.ReadText("Port1.001"), "a1A1");
  EXPECT_EQ(folder.ReadText("Port2.001"), "b2");
  EXPECT_EQ(folder.ReadText("Port5.001"), "p5");
  EXPECT_EQ(folder.ReadText("analog.001"), "an");

  // Of the two METER1 records under one header only the second is in the record; the
  // header with a seventh byte sets the time-unit byte; the last header has no data.
  ArchiveFields first{0, 3, 7, 1000, {}};
  first.sources[0] = "A1";
  first.sources[4] = "p5";
  first.sources[8] = "an";
  ArchiveFields second{1, 3, 8, 2000, {}};
  second.sources[1] = "b2";
  EXPECT_EQ(folder.Read("archive.001"), Concat({ArchiveBytes(first), ArchiveBytes(second)}));
}

TEST_F(ExtractionTest, AHeaderTooShortToReadStillClosesTheRecordBeforeIt) {
  Extract("run.002",
          Concat({RunRecord(kHeader, HeaderBody(3, 7, 1000)), RunRecord(kMeter1, "a1"), RunRecord(kHeader, Bytes{3, 8}),
                  RunRecord(kMeter1, "b1"), RunRecord(kHeader, HeaderBody(3, 9, 3000))}),
          kExtractArchivePlusRaw);
  // The second record keeps the values of the last header that could be read.
  ArchiveFields first{0, 3, 7, 1000, {}};
  first.sources[0] = "a1";
  ArchiveFields second = first;
  second.sources[0] = "b1";
  EXPECT_EQ(folder.Read("archive.002"), Concat({ArchiveBytes(first), ArchiveBytes(second)}));
}

TEST_F(ExtractionTest, SenderIdRecordsAndRecordsBeforeTheFirstHeader) {
  // Before any header: sequence and time 0, the sender of a type 24 record.
  Extract("run.002", Concat({RunRecord(kSenderId, Bytes{0, 4}), RunRecord(kMeter1, "x"),
                             RunRecord(kHeader, HeaderBody(1, 5, 77)), RunRecord(kSenderId, Bytes{9, 3}),
                             RunRecord(kMeter1, "y")}),
          kExtractArchivePlusRaw);
  ArchiveFields before{0, 4, 0, 0, {}};
  before.sources[0] = "x";
  ArchiveFields after{0, 3, 5, 77, {}};
  after.sources[0] = "y";
  EXPECT_EQ(folder.Read("archive.002"), Concat({ArchiveBytes(before), ArchiveBytes(after)}));
}

TEST_F(ExtractionTest, TimeGroupedRecordsCloseFiftyUnitsAfterTheGroupStart) {
  const Bytes run = Concat({RunRecord(kMux1, TimedBody(100, "a")), RunRecord(kMux2, TimedBody(140, "b")),
                            RunRecord(kMux1, TimedBody(149, "c")), RunRecord(kMux8, TimedBody(150, "d")),
                            RunRecord(kAnalogTimed, TimedBody(160, "e")), RunRecord(kArchiveTime, TimedBody(300)),
                            RunRecord(kMux1, Concat({TimedBody(330), Bytes{'\r', '\n', ' ', '*'}})),
                            RunRecord(kMux1, Bytes{'\r', '\n', ' ', '*', 'z'}), RunRecord(kMux2, TimedBody(340, "f"))});
  Extract("run.003", run);
  ArchiveFields one{0, 2, 0, 100, {}};
  one.sources[0] = "ac";
  one.sources[1] = "b";
  ArchiveFields two{0, 2, 1, 150, {}};
  two.sources[7] = "d";
  two.sources[8] = "e";
  // The ARCHIVETime record at 300 closes the group and adds nothing; the records that
  // start with CR LF " *" are passed over; the last group is written at the end.
  ArchiveFields three{0, 2, 2, 300, {}};
  three.sources[0] = std::string("\r\n *");
  three.sources[1] = "f";
  EXPECT_EQ(folder.Read("archive.003"), Concat({ArchiveBytes(one), ArchiveBytes(two), ArchiveBytes(three)}));
  EXPECT_FALSE(folder.Has("Port1.003"));

  // The sequence runs on into the next extraction; the group start does not.
  Extract("run.004", RunRecord(kMux1, TimedBody(5, "g")));
  ArchiveFields next{0, 2, 3, 5, {}};
  next.sources[0] = "g";
  EXPECT_EQ(folder.Read("archive.004"), ArchiveBytes(next));
}

TEST_F(ExtractionTest, GroupsAboveAnArchiveRecordAreWrittenAsSeveralRecords) {
  // Ten 1000-byte pieces within one 50-unit group: no record carries more than replay
  // can take (4060).
  Bytes run;
  for (int k = 0; k < 10; ++k) run = Concat({run, RunRecord(kMux1, TimedBody(10, std::string(1000, char('a' + k))))});
  Extract("run.005", run);
  const Bytes archive = folder.Read("archive.005");
  std::vector<int> lengths;
  std::vector<int> sequences;
  std::string data;
  for (size_t at = 0; at + 28 <= archive.size();) {
    const int n = GetI16LE(&archive[at + 4]);
    lengths.push_back(n);
    sequences.push_back(archive[at + 3]);
    EXPECT_EQ(GetU32LE(&archive[at + 6]), 10u);
    data.append(archive.begin() + static_cast<long>(at) + 28, archive.begin() + static_cast<long>(at) + 28 + n);
    at += static_cast<size_t>(n) + 32;
  }
  EXPECT_EQ(lengths, (std::vector<int>{4000, 4000, 2000}));
  EXPECT_EQ(sequences, (std::vector<int>{0, 1, 2}));
  std::string expected;
  for (int k = 0; k < 10; ++k) expected += std::string(1000, char('a' + k));
  EXPECT_EQ(data, expected);

  // Header-grouped: nine slots of 2000 bytes under one header make several records
  // with that header's values.
  run = RunRecord(kHeader, HeaderBody(1, 42, 9));
  for (int type : {1, 2, 3, 4, 12, 15, 16, 17, 18}) run = Concat({run, RunRecord(type, std::string(2000, 'm'))});
  Extract("run.006", run, kExtractArchivePlusRaw);
  const Bytes rebuilt = folder.Read("archive.006");
  size_t total = 0;
  int records = 0;
  for (size_t at = 0; at + 28 <= rebuilt.size(); ++records) {
    const int n = GetI16LE(&rebuilt[at + 4]);
    EXPECT_LE(n, 4060);
    EXPECT_EQ(rebuilt[at + 3], 42);
    total += static_cast<size_t>(n);
    at += static_cast<size_t>(n) + 32;
  }
  EXPECT_EQ(total, 18000u);
  EXPECT_EQ(records, 5);

  // Four pieces of 1020 bytes would make 4080: the fourth starts the next record.
  run.clear();
  for (int k = 0; k < 4; ++k) run = Concat({run, RunRecord(kMux1, TimedBody(10, std::string(1020, 'q')))});
  Extract("run.007", run);
  const Bytes split = folder.Read("archive.007");
  ASSERT_GE(split.size(), 28u);
  EXPECT_EQ(GetI16LE(&split[4]), 3060);
  EXPECT_EQ(split.size(), 3060u + 32 + 1020 + 32);
}

TEST_F(ExtractionTest, BadFirstHeaderRefusesTheRunAndLaterOnesAreSkipped) {
  Extract("run.010", Concat({Bytes{0, 0, 9, 0}, RunRecord(kBattery, "b")}));
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Run File Error");
  EXPECT_EQ(person.boxes[0].text, "Unable to Process the Run");
  EXPECT_FALSE(folder.Has("Battery.010"));

  // Noise between records: the reader slides over it byte by byte, without a box.
  person.boxes.clear();
  const ExtractionReport report = Extract(
      "run.011", Concat({RunRecord(kBattery, "one"), Bytes{0xFF, 0xFF, 0x00, 0x09, 0x33}, RunRecord(kBattery, "two"),
                         Bytes{0x01}}));
  EXPECT_TRUE(person.boxes.empty());
  EXPECT_EQ(folder.ReadText("Battery.011"), "onetwo");
  EXPECT_EQ(report.skippedBytes, 5u);
  EXPECT_EQ(report.skippedStretches, 1u);
  EXPECT_EQ(report.cutShortBytes, 1u);
  EXPECT_TRUE(report.Damaged());
  EXPECT_FALSE(report.Failed());
}

TEST_F(ExtractionTest, ArchiveRecordsAreWrittenAsLiveRecordingWritesThem) {
  test::DataPacketFields fields;
  fields.sender = 3;
  fields.sequence = 0;  // the first a live sender may send
  fields.time = 0x01020304;
  fields.sources[0] = "port one";
  fields.sources[2] = "three";
  fields.sources[8] = "analog";
  const Bytes packet = test::DataPacket(fields);
  const Bytes body(packet.begin() + 2, packet.end() - 2);
  Extract("run.020", RunRecord(kArchiveRecord, body), kExtractArchivePlusRaw);
  EXPECT_EQ(folder.Read("archive.020"), LiveArchiveRecord(packet));
  EXPECT_EQ(folder.ReadText("Port1.020"), "port one");
  EXPECT_EQ(folder.ReadText("Port3.020"), "three");
  EXPECT_EQ(folder.ReadText("analog.020"), "analog");
  EXPECT_FALSE(folder.Has("Port2.020"));  // no record needed the ports with nothing in them

  // Counts that do not add up to the length: written, not split.
  Bytes odd = body;
  PutU16BE(&odd[10], 3);
  Extract("run.021", RunRecord(kArchiveRecord, odd), kExtractArchivePlusRaw);
  EXPECT_EQ(folder.Read("archive.021").size(), body.size());
  EXPECT_FALSE(folder.Has("Port1.021"));

  // A data length the body cannot hold would break the archive: left out.
  Bytes longer = body;
  PutU16BE(&longer[4], static_cast<uint16_t>(GetU16BE(&body[4]) + 100));
  const ExtractionReport report = Extract("run.022", RunRecord(kArchiveRecord, longer), kExtractArchivePlusRaw);
  EXPECT_EQ(folder.Read("archive.022"), Bytes{});
  EXPECT_EQ(report.badArchiveRecords, 1);
}

TEST_F(ExtractionTest, AnArchiveRecordWithBytesAfterItIsKeptAndOnlyThoseBytesAreSkipped) {
  test::DataPacketFields fields;
  fields.sender = 2;
  fields.time = 7;
  fields.sources[0] = "port one";
  fields.sources[8] = "an";
  const Bytes packet = test::DataPacket(fields);
  const Bytes body(packet.begin() + 2, packet.end() - 2);
  Bytes padded = body;
  padded.insert(padded.end(), {'x', 'y', 'z'});
  const ExtractionReport report =
      Extract("run.023", Concat({RunRecord(kArchiveRecord, padded), RunRecord(kBattery, "b")}), kExtractArchivePlusRaw,
              true);
  EXPECT_EQ(folder.Read("archive.023"), LiveArchiveRecord(packet));
  EXPECT_EQ(folder.ReadText("Port1.023"), "port one");
  EXPECT_EQ(folder.ReadText("analog.023"), "an");
  EXPECT_EQ(folder.ReadText("Battery.023"), "b");
  EXPECT_EQ(report.badArchiveRecords, 0);
  EXPECT_EQ(report.records, 2u);
  const std::string size = std::to_string(padded.size());
  EXPECT_NE(folder.ReadText("log.dat").find("ARCHIVE QLMUX Size " + size +
                                            " Type 998 Size 0 ms 7\n\tTime = 70 70\r\n"
                                            "Extra bytes after the archive record skipped: 3\r\n"),
            std::string::npos)
      << folder.ReadText("log.dat");
}

TEST_F(ExtractionTest, RawChoiceWritesTimeStampsAndUnknownTypesAreRefusedOnce) {
  const Bytes run = Concat({RunRecord(kTimeStamp, "ts1"), RunRecord(26, "?"), RunRecord(26, "??"),
                            RunRecord(kTimeStamp, "ts2")});
  Extract("run.030", run);
  EXPECT_FALSE(folder.Has("timestp.030"));
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Unknown Type:  26 1a");
  EXPECT_EQ(person.boxes[0].text, "Record Not Saved");

  const ExtractionReport report = Extract("run.031", run, kExtractArchivePlusRaw);
  EXPECT_EQ(folder.ReadText("timestp.031"), "ts1ts2");
  EXPECT_EQ(report.unknownTypes, 2);
}

TEST_F(ExtractionTest, OnlyTheFirstSummaryIsWrittenAndShortOnesAreRefused) {
  Bytes first(256, 0);
  PutU16BE(first.data(), 7);
  Bytes second(256, 0);
  PutU16BE(second.data(), 8);
  const ExtractionReport report =
      Extract("run.040", Concat({RunRecord(kSummary, Bytes(100, 0)), RunRecord(kSummary, first),
                                 RunRecord(kSummary, second)}));
  EXPECT_EQ(folder.ReadText("Summary.040").rfind("Run # 7:", 0), 0u);
  EXPECT_EQ(report.shortRecords, 1);
  EXPECT_EQ(report.extraSummaries, 1);
}

TEST_F(ExtractionTest, DebugLogListsEveryHeaderRead) {
  test::DataPacketFields fields;
  fields.time = 5;
  fields.sources[0] = "x";
  const Bytes packet = test::DataPacket(fields);
  const Bytes archive(packet.begin() + 2, packet.end() - 2);
  fields.time = 8;
  const Bytes later = test::DataPacket(fields);
  const Bytes archive2(later.begin() + 2, later.end() - 2);
  const Bytes run = Concat({RunRecord(kMeter1, "ab"), Bytes{0x05}, RunRecord(kArchiveRecord, archive),
                            RunRecord(kArchiveRecord, archive2)});
  Extract("run.050", run, kExtractArchive, true);
  const std::string log = folder.ReadText("log.dat");
  const std::string expected =
      "Type 1 Size 2 ms 0\nMETER1 Size 2\r\n"
      "Type 5888 Size 8453 ms 0\nUnknown Type 5888 Size 8453 0x2105\r\nSkipped bytes: 1\r\n"
      "Type 23 Size 33 ms 0\nARCHIVE QLMUX Size 33 Type 998 Size 0 ms 5\n\tTime = 50 50\r\n"
      "Type 23 Size 33 ms 0\nARCHIVE QLMUX Size 33 Type 998 Size 0 ms 8\n\tTime = 80 30\r\n";
  EXPECT_EQ(log, expected);

  // Each extraction starts the log afresh; with the switch off it stays empty.
  Extract("run.051", run, kExtractArchive, false);
  EXPECT_EQ(folder.ReadText("log.dat"), "");
}

TEST_F(ExtractionTest, DamagedFilesNeverWriteOutsideTheOutputFolder) {
  // Cut short in a body, an I/O-free tail of noise, records too short for their type.
  const Bytes run = Concat({RunRecord(kBattery, "ok"), RunRecord(kMux1, Bytes{1, 2}), RunRecord(kHeader, Bytes{1}),
                            RunRecord(kSenderId, Bytes{1}), RunRecord(kArchiveRecord, Bytes(10, 0)),
                            Bytes{50, 0, 9, 0, 'c', 'u', 't'}});
  test::TempFolder out;
  ExtractionRequest request;
  request.runFile = folder.Write("run.060", run);
  request.outputFolder = out.path();
  request.choice = kExtractArchivePlusRaw;
  const ExtractionReport report = ExtractRun(request, memory, person);
  EXPECT_EQ(report.shortRecords, 3);
  EXPECT_EQ(report.badArchiveRecords, 1);
  EXPECT_EQ(report.cutShortBytes, 7u);
  EXPECT_EQ(out.ReadText("Battery.060"), "ok");
  EXPECT_EQ(out.Names(), (std::vector<std::string>{"Battery.060", "archive.060", "log.dat"}));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"run.060"}));
  EXPECT_NE(report.Describe().find("damaged"), std::string::npos);
}

TEST_F(ExtractionTest, OutputsThatCannotBeWrittenAreReportedOnceAndTheRestGoesOn) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  // One output cannot be created (a folder stands in its way), one fills up its disk.
  std::filesystem::create_directory(folder.path() / "Battery.070");
  std::filesystem::create_symlink("/dev/full", folder.path() / "archive.070");
  const Bytes run = Concat({RunRecord(kBattery, "b"), RunRecord(kMux1, TimedBody(1, "m")), RunRecord(kMeter1, "p"),
                            RunRecord(kBattery, "b")});
  const ExtractionReport report = Extract("run.070", run, kExtractArchivePlusRaw);
  EXPECT_EQ(folder.ReadText("Port1.070"), "p");
  EXPECT_EQ(report.failedOutputs, (std::vector<FailedOutput>{{"Battery.070", "Is a directory"},
                                                             {"archive.070", "No space left on device"}}));
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "File Extraction Error");
  EXPECT_EQ(person.boxes[0].text, "Unable to write Battery.070 (Is a directory), archive.070 (No space left on device)");
  // Said once, never as written, and not as damage of the run file.
  EXPECT_EQ(report.Describe(),
            "4 records read, wrote Port1.070; could not write Battery.070 (Is a directory), archive.070 (No space "
            "left on device)");
  EXPECT_FALSE(report.Damaged());
  EXPECT_FALSE(report.Whole());
}

TEST_F(ExtractionTest, ASummaryTheDiskCannotTakeIsNamedWithTheOtherOutputs) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  std::filesystem::create_symlink("/dev/full", folder.path() / "Summary.071");
  std::filesystem::create_symlink("/dev/full", folder.path() / "Battery.071");
  const ExtractionReport report =
      Extract("run.071", Concat({RunRecord(kSummary, Bytes(256, 0)), RunRecord(kBattery, "b")}));
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "File Extraction Error");
  EXPECT_EQ(person.boxes[0].text,
            "Unable to write Summary.071 (No space left on device), Battery.071 (No space left on device)");
  EXPECT_NE(report.Describe().find("could not write Summary.071 (No space left on device)"), std::string::npos);
}

TEST_F(ExtractionTest, WindowExtractionWritesBesideTheRunFile) {
  std::filesystem::create_directory(folder.path() / "cruise");
  const auto runFile = folder.Write("cruise/run.080", RunRecord(kMeter1, "p"));
  ExtractRunBeside(runFile, kExtractArchivePlusRaw, true, memory, person);
  EXPECT_EQ(folder.ReadText("cruise/Port1.080"), "p");
  EXPECT_EQ(folder.ReadText("cruise/log.dat"), "Type 1 Size 1 ms 0\nMETER1 Size 1\r\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"cruise"});
}

}  // namespace
}  // namespace ql
