#include "archive/Recording.h"

#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "support/FakeOperator.h"
#include "support/TempDirectory.h"

namespace ql {
namespace {

using test::ArchiveRecordBytes;
using test::Bytes;
using test::ReadFileBytes;
using test::WriteFileBytes;

struct RecordingTest : ::testing::Test {
  test::TempDirectory dir;
  test::FakeOperator person;
  Recording rec{person};

  bool Write(const Bytes& record, SeriesTime now = {26, 341, 10}) {
    return rec.WriteRecord(record.data(), static_cast<int>(record.size()), now);
  }
};

TEST_F(RecordingTest, ContinuousArchiveTruncatesAndHoldsEachRecordInOrder) {
  const std::string name = dir.File("cast.arc");
  WriteFileBytes(name, Bytes(100, 0xEE));
  ASSERT_TRUE(rec.StartArchive(name));
  EXPECT_EQ(rec.state, kRecordArchive);
  EXPECT_EQ(rec.fileNameLabel, "Archive File:  " + name);
  EXPECT_FALSE(rec.StartButtonsEnabled());

  const Bytes a = ArchiveRecordBytes(2, 0, "T=12.3\r\n");
  const Bytes b = ArchiveRecordBytes(3, 7, std::string(2000, 'x'));
  EXPECT_TRUE(Write(a));
  EXPECT_TRUE(Write(b));
  EXPECT_EQ(rec.byteCounter, static_cast<int64_t>(a.size() + b.size()));
  rec.ShowStatus(0);
  EXPECT_EQ(rec.statusText, "Recording:  Archive File");
  EXPECT_EQ(rec.fileSizeText, "File Size:         2 K");

  rec.Stop();
  EXPECT_TRUE(rec.StartButtonsEnabled());
  EXPECT_FALSE(Write(a));  // nothing records while off
  Bytes both = a;
  both.insert(both.end(), b.begin(), b.end());
  EXPECT_EQ(ReadFileBytes(name), both);
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(RecordingTest, HourlyFilesAreNamedByTheClockAppendedToAndRolledOverEachMinute) {
  // The base name keeps its extension inside the name.
  const std::string base = dir.File("cast.arc");
  const std::string at10 = base + "26_341.010";
  const std::string at11 = base + "26_341.011";
  WriteFileBytes(at10, Bytes(3000, 0xAA));
  WriteFileBytes(at11, Bytes(5, 0xBB));

  ASSERT_TRUE(rec.StartSeries(kRecordHourly, base, {26, 341, 10}));
  EXPECT_EQ(rec.fileNameLabel, "1 Hour Archive File:  " + at10);
  EXPECT_EQ(rec.byteCounter, 3000);  // the existing size shows at once
  EXPECT_FALSE(rec.archiveOpen);

  const Bytes r1 = ArchiveRecordBytes(2, 0, "a");
  const Bytes r2 = ArchiveRecordBytes(2, 1, "b");
  const Bytes r3 = ArchiveRecordBytes(2, 2, "c");
  rec.RolloverCheck(59);  // 10:59
  EXPECT_TRUE(Write(r1, {26, 341, 10}));
  // 11:00:00.4, before the second's tick has seen the new minute: same file.
  EXPECT_TRUE(Write(r2, {26, 341, 11}));
  rec.RolloverCheck(0);
  EXPECT_FALSE(rec.archiveOpen);
  EXPECT_TRUE(Write(r3, {26, 341, 11}));
  EXPECT_EQ(rec.fileNameLabel, "1 Hour Archive File:  " + at11);
  EXPECT_EQ(rec.byteCounter, static_cast<int64_t>(5 + r3.size()));
  rec.Stop();

  Bytes expect10(3000, 0xAA);
  expect10.insert(expect10.end(), r1.begin(), r1.end());
  expect10.insert(expect10.end(), r2.begin(), r2.end());
  Bytes expect11(5, 0xBB);
  expect11.insert(expect11.end(), r3.begin(), r3.end());
  EXPECT_EQ(ReadFileBytes(at10), expect10);
  EXPECT_EQ(ReadFileBytes(at11), expect11);
}

TEST_F(RecordingTest, DailyFilesAreCreatedAtStartUnderTheDayName) {
  const std::string base = dir.File("cast");
  ASSERT_TRUE(rec.StartSeries(kRecordDaily, base, {26, 7, 23}));
  EXPECT_EQ(rec.currentName, base + "26.007");
  EXPECT_EQ(rec.fileNameLabel, "24 Hour Archive File:  " + base + "26.007");
  EXPECT_TRUE(std::filesystem::exists(base + "26.007"));
  EXPECT_EQ(rec.byteCounter, 0);
  rec.ShowStatus(0);
  EXPECT_EQ(rec.statusText, "Recording:  24 Hour Archive");
}

TEST_F(RecordingTest, RawFileHoldsTheBytesReadAndNothingElse) {
  const std::string name = dir.File("line.raw");
  ASSERT_TRUE(rec.StartRaw(name));
  EXPECT_EQ(rec.fileNameLabel, "Raw Input File:  " + name);
  const Bytes first = {8, 8, 0, 1, 2, 0xFF, 0x0D, 0x0A};
  const Bytes second = {0x42};
  rec.WriteRaw(first.data(), static_cast<int>(first.size()));
  EXPECT_FALSE(Write(ArchiveRecordBytes(2, 0, "x")));  // the archive writer writes nothing here
  rec.WriteRaw(second.data(), static_cast<int>(second.size()));
  EXPECT_EQ(rec.byteCounter, 9);
  rec.Stop();
  rec.WriteRaw(second.data(), 1);
  EXPECT_EQ(ReadFileBytes(name), (Bytes{8, 8, 0, 1, 2, 0xFF, 0x0D, 0x0A, 0x42}));
}

TEST_F(RecordingTest, FilesThatCannotBeMadeAreRefusedWithAMessage) {
  const std::string missing = dir.File("no-such-folder/cast.arc");
  EXPECT_FALSE(rec.StartArchive(missing));
  EXPECT_FALSE(rec.StartSeries(kRecordHourly, missing, {26, 341, 10}));
  EXPECT_FALSE(rec.StartRaw(missing));
  EXPECT_EQ(rec.state, kRecordOff);
  EXPECT_EQ(rec.fileNameLabel, "Archive File:");
  ASSERT_EQ(person.boxes.size(), 3u);
  EXPECT_EQ(person.boxes[0].caption, "File Error");
  EXPECT_EQ(person.boxes[0].text, "Unable to Create Archive File");
  EXPECT_EQ(person.boxes[1].text, "Unable to Create Archive File");
  EXPECT_EQ(person.boxes[2].text, "Unable to Create Raw Data File");
}

TEST_F(RecordingTest, AFullDiskIsReportedOnceAndShownUntilWritingWorksAgain) {
  ASSERT_TRUE(rec.StartArchive("/dev/full"));
  const Bytes r = ArchiveRecordBytes(2, 0, "data");
  EXPECT_FALSE(Write(r));
  EXPECT_FALSE(Write(r));
  EXPECT_EQ(rec.byteCounter, 0);
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "File Error");
  EXPECT_NE(person.boxes[0].text.find("Unable to Write Archive File  /dev/full"), std::string::npos);
  rec.ShowStatus(0);
  EXPECT_EQ(rec.statusText, "Recording:  Archive File  -  NOT RECORDING: " + rec.failure);
  EXPECT_FALSE(rec.failure.empty());
  rec.Stop();
  rec.ShowStatus(0);
  EXPECT_EQ(rec.statusText, "Recording:  OFF");
}

TEST_F(RecordingTest, HourlyFileThatVanishesIsReportedAndRecordingResumesWhenItCanOpenAgain) {
  const std::filesystem::path folder = dir.path / "disk";
  std::filesystem::create_directories(folder);
  const std::string base = (folder / "cast").string();
  ASSERT_TRUE(rec.StartSeries(kRecordHourly, base, {26, 341, 10}));
  std::filesystem::remove_all(folder);  // the disk is pulled

  const Bytes r = ArchiveRecordBytes(2, 0, "data");
  EXPECT_FALSE(Write(r));
  EXPECT_FALSE(Write(r));
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_NE(person.boxes[0].text.find("Unable to Open Archive File"), std::string::npos);
  EXPECT_TRUE(rec.failing);

  std::filesystem::create_directories(folder);
  EXPECT_TRUE(Write(r));
  EXPECT_FALSE(rec.failing);
  EXPECT_EQ(ReadFileBytes(base + "26_341.010"), r);
}

TEST_F(RecordingTest, StatusTextsFollowTheState) {
  const char* expected[] = {"Recording:  OFF", "Recording:  Raw Input File", "Recording:  Archive File",
                            "Recording:  1 Hour Archive", "Recording:  24 Hour Archive"};
  for (int state = 0; state <= 4; ++state) {
    rec.state = state;
    rec.ShowStatus(0);
    EXPECT_EQ(rec.statusText, expected[state]);
  }
  rec.replay.startMs = 1000;
  rec.state = kReplayArchive;
  rec.ShowStatus(3500);
  EXPECT_EQ(rec.statusText, "Replay Archive:  2.500 secs");
  rec.state = kReplayContinuous;
  rec.ShowStatus(1000);
  EXPECT_EQ(rec.statusText, "Continuous Archive Replay:  0.000 secs");
  rec.state = 7;
  rec.ShowStatus(0);
  EXPECT_EQ(rec.statusText, "Recording:  Error");
  rec.byteCounter = 123456789;
  rec.ShowStatus(0);
  EXPECT_EQ(rec.fileSizeText, "File Size:    120563 K");
}

TEST_F(RecordingTest, StopWhileNothingRecordsOnlyEnablesTheButtons) {
  rec.Stop();
  EXPECT_EQ(rec.state, kRecordOff);
  EXPECT_TRUE(rec.StartButtonsEnabled());
  EXPECT_EQ(rec.fileNameLabel, "Archive File:");
}

}  // namespace
}  // namespace ql
