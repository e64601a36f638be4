#include "flash/RunUpload.h"

#include "FlashFixture.h"
#include "flash/LoggerDirectory.h"
#include "serial/CommandFrame.h"

namespace ql {
namespace {

using test::DirectoryFields;
using test::SentFrame;
using test::UploadBlock;
using Answer = Operator::Answer;

struct Extraction {
  std::filesystem::path path;
  int choice;
};

struct RunUploadTest : test::FlashFixture {
  std::vector<Extraction> extracted;
  std::vector<std::string> proposals;

  void SetUp() override {
    FlashFixture::SetUp();
    flash.extractRun = [this](const std::filesystem::path& p, int choice) { extracted.push_back({p, choice}); };
    flash.page.extractFiles = 1;
  }

  void List(std::initializer_list<std::pair<int, uint32_t>> runs) {
    for (auto [run, size] : runs) {
      HandleDirectoryEntry(flash, test::DirectoryPacket({.run = static_cast<int16_t>(run), .size = size}).data());
    }
  }
  void Select(const std::vector<int>& lines) {
    BTUploadClick(flash, lines, [this](const std::string& proposed) -> std::optional<std::string> {
      proposals.push_back(proposed);
      return (folder / proposed).string();
    });
  }
  void Block(uint16_t number, const std::string& data, std::optional<int> count = {}) {
    HandleUploadBlock(flash, UploadBlock(number, data, count).data());
  }
  void TimeoutTicks(int n) {
    for (int i = 0; i < n; ++i) TTimeoutTimer(flash);
  }
  static SentFrame Ack(uint16_t block, uint32_t go = 1) { return {CmdUploadAck, go, block}; }
  static SentFrame Start(uint16_t run) { return {CmdUploadRun, 0, run}; }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }
};

TEST_F(RunUploadTest, BlocksAreAcknowledgedWrittenOnceAndTheEndBlockHandsTheFileToExtraction) {
  List({{7, 2052}});
  Select({0});
  EXPECT_EQ(proposals, (std::vector<std::string>{"run.007"}));
  EXPECT_EQ(flash.upload.runsToUpload, 1);
  EXPECT_TRUE(Sent().empty());  // the tick starts it

  DriveUploads(flash);
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(7)}));
  EXPECT_TRUE(flash.upload.timeoutEnabled);
  EXPECT_EQ(flash.page.progressMax, 2052);

  const std::string a(1026, 'a');
  const std::string b(1026, 'b');
  Block(1, a);
  Block(1, a);  // the logger did not hear the acknowledgement and sent it again
  Block(2, b);
  EXPECT_EQ(flash.page.csError, "Duplicate Packets:  1");
  EXPECT_EQ(flash.page.upLoadRun, "run.007");
  EXPECT_EQ(flash.page.upLoadSize, "File Size:  2 K");
  EXPECT_EQ(flash.page.progressPosition, 2052);
  EXPECT_TRUE(extracted.empty());
  Block(3, "");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Ack(1), Ack(1), Ack(2), Ack(3)}));

  EXPECT_EQ(Read("run.007"), a + b);
  ASSERT_EQ(extracted.size(), 1u);
  EXPECT_EQ(extracted[0].path, folder / "run.007");
  EXPECT_EQ(extracted[0].choice, 1);
  EXPECT_TRUE(person.boxes.empty());
  EXPECT_EQ(flash.page.upLoadRun, "Upload is Complete");
  EXPECT_EQ(flash.upload.runsToUpload, 0);
  EXPECT_EQ(flash.directory.uploadMark[0], 0);
  EXPECT_FALSE(flash.upload.timeoutEnabled);

  // Nothing is open any more: a late block is ignored, not even acknowledged.
  Block(4, "late");
  EXPECT_TRUE(Sent().empty());
  DriveUploads(flash);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(RunUploadTest, SizesThatDisagreeWithTheDirectoryAreReportedAndTheFileKept) {
  List({{3, 10}, {4, 10}, {5, 10}});
  Select({0, 1, 2});
  EXPECT_EQ(proposals, (std::vector<std::string>{"run.xxx"}));
  DriveUploads(flash);
  Block(1, "12345");
  Block(2, "");  // smaller
  DriveUploads(flash);
  Block(3, "1234567890A");
  Block(4, "");  // bigger
  DriveUploads(flash);
  Block(5, "1234567890");
  Block(6, "");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Run.003 - File Upload Error / File Sent is Smaller than Expected",
                                                  "Run.004 - File Upload Error / File Sent is Bigger than Expected"}));
  EXPECT_EQ(Read("run.003"), "12345");
  EXPECT_EQ(Read("run.004"), "1234567890A");
  EXPECT_EQ(extracted.size(), 3u);
  EXPECT_EQ(flash.page.upLoadRun, "Upload is Complete");
}

TEST_F(RunUploadTest, AZeroLengthRunGivesAnEmptyFileTheSmallerBoxAndAnExtraction) {
  List({{9, 3000}});
  Select({0});
  DriveUploads(flash);
  Sent();
  Block(1, "");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Ack(1)}));
  EXPECT_TRUE(std::filesystem::exists(folder / "run.009"));
  EXPECT_EQ(Read("run.009"), "");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Run.009 - File Upload Error / File Sent is Smaller than Expected"}));
  EXPECT_EQ(extracted.size(), 1u);
}

TEST_F(RunUploadTest, BlocksClaimingMoreThanABlockHoldsAreRefusedUnwrittenAndUnacknowledged) {
  List({{1, 4}});
  Select({0});
  DriveUploads(flash);
  Sent();
  Block(1, std::string(1026, 'x'), 1027);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Run.001 - File Upload Error / Block 1 refused: it claims 1027 data bytes"}));
  EXPECT_EQ(flash.upload.transferPhase, 1);
  Block(1, "good");
  Block(2, "");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Ack(1), Ack(2)}));
  EXPECT_EQ(Read("run.001"), "good");
  EXPECT_EQ(person.boxes.size(), 1u);
}

TEST_F(RunUploadTest, ABlockWithANegativeCountIsAcknowledgedAndWritesNothing) {
  List({{1, 4}});
  Select({0});
  DriveUploads(flash);
  Sent();
  Block(1, std::string(1026, 'x'), -5);
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Ack(1)}));
  EXPECT_TRUE(person.boxes.empty());
  EXPECT_EQ(flash.upload.bytesReceived, 0);
  EXPECT_EQ(flash.upload.runsToUpload, 1);  // not taken for the end of the run
  // The same block sent again with its data is written, not counted as a repeat.
  Block(1, "good");
  Block(2, "");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Ack(1), Ack(2)}));
  EXPECT_EQ(Read("run.001"), "good");
  EXPECT_EQ(flash.page.csError, "Duplicate Packets:  0");
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(RunUploadTest, ASilentStartIsRepeatedAfterTheThirdTimeoutTickButNotOnceBlocksArrive) {
  List({{2, 100}});
  Select({0});
  DriveUploads(flash);
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(2)}));
  TimeoutTicks(2);  // 3 s
  DriveUploads(flash);
  EXPECT_TRUE(Sent().empty());
  TimeoutTicks(1);  // 4.5 s
  DriveUploads(flash);
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(2)}));
  EXPECT_EQ(flash.upload.timeoutCount, 0);

  Block(1, std::string(50, 'z'));
  TimeoutTicks(5);
  DriveUploads(flash);
  Block(2, std::string(50, 'z'));
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Ack(1), Ack(2)}));
  EXPECT_EQ(flash.upload.timeoutCount, 0);
}

TEST_F(RunUploadTest, CancelRidesOnTheNextAcknowledgementAndDropsTheRunsLeft) {
  List({{1, 2000}, {2, 2000}});
  Select({0, 1});
  DriveUploads(flash);
  Block(1, std::string(1000, '1'));
  BTCancelUploadClick(flash);
  Block(2, std::string(1000, '1'));
  Block(3, "");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(1), Ack(1), Ack(2, 2), Ack(3, 2)}));
  EXPECT_EQ(flash.page.upLoadRun, "Upload Cancelled");
  EXPECT_EQ(flash.upload.runsToUpload, 0);
  EXPECT_FALSE(flash.upload.cancelRequest);
  DriveUploads(flash);
  EXPECT_TRUE(Sent().empty());

  // The run left marked by the cancel does not ride along with the next selection.
  Select({0});
  DriveUploads(flash);
  Block(1, std::string(1000, '1'));
  Block(2, "");
  DriveUploads(flash);
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(1), Ack(1), Ack(2)}));
  EXPECT_EQ(flash.page.upLoadRun, "Upload is Complete");
}

TEST_F(RunUploadTest, ACancelClickedWhileIdleDoesNotCancelTheNextUpload) {
  List({{1, 3}});
  BTCancelUploadClick(flash);
  EXPECT_FALSE(flash.upload.cancelRequest);
  Select({0});
  DriveUploads(flash);
  Block(1, "abc");
  Block(2, "");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(1), Ack(1), Ack(2)}));
  EXPECT_EQ(Read("run.001"), "abc");
  EXPECT_EQ(flash.page.upLoadRun, "Upload is Complete");
}

TEST_F(RunUploadTest, ACancelNoBlockCanCarryEndsTheUploadAtTheHost) {
  List({{1, 2000}});
  Select({0});
  DriveUploads(flash);
  BTCancelUploadClick(flash);
  TimeoutTicks(3);
  DriveUploads(flash);
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(1)}));  // not started again
  EXPECT_EQ(flash.upload.runsToUpload, 0);
  EXPECT_EQ(flash.page.upLoadRun, "Upload Cancelled");

  // The same with a logger that stopped halfway.
  Select({0});
  DriveUploads(flash);
  Block(1, "abc");
  BTCancelUploadClick(flash);
  TimeoutTicks(3);
  DriveUploads(flash);
  EXPECT_EQ(flash.upload.runsToUpload, 0);
  Block(2, "def");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(1), Ack(1)}));
  EXPECT_EQ(Read("run.001.part"), "abc");
  EXPECT_FALSE(std::filesystem::exists(folder / "run.001"));
}

TEST_F(RunUploadTest, OverwriteQuestionYesNoAndCancel) {
  List({{1, 3}, {2, 3}, {3, 3}});
  for (const char* name : {"run.001", "run.002", "run.003"}) Write(name, "old");
  Select({0, 1, 2});
  person.Script(Answer::Yes);
  person.Script(Answer::No);
  person.Script(Answer::Yes);  // asked for the last run too
  DriveUploads(flash);
  Block(1, "new");
  Block(2, "");
  DriveUploads(flash);  // run 2 skipped, run 3 started
  Block(3, "NEW");
  Block(4, "");
  EXPECT_EQ(Read("run.001"), "new");
  EXPECT_EQ(Read("run.002"), "old");
  EXPECT_EQ(Read("run.003"), "NEW");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(1), Ack(1), Ack(2), Start(3), Ack(3), Ack(4)}));
  ASSERT_EQ(person.questions.size(), 3u);
  EXPECT_EQ(person.questions[0].caption, "");
  EXPECT_EQ(person.questions[0].text,
            "File run.001 Exists ... Overwrite ?\n\n\tYes = Overwrite File\n\tNo = Skip file\n\tCancel = Abort Upload");
  EXPECT_EQ(person.questions[0].buttons, Operator::Buttons::YesNoCancel);
  EXPECT_EQ(flash.page.upLoadRun, "Upload is Complete");
  EXPECT_EQ(extracted.size(), 2u);

  Select({0, 1, 2});
  person.Script(Answer::Cancel);
  DriveUploads(flash);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(flash.page.upLoadRun, "Upload Cancelled");
  EXPECT_EQ(flash.upload.runsToUpload, 0);
  EXPECT_EQ(Read("run.001"), "new");

  // Skipping the last runs ends the upload as well.
  Select({1, 2});
  person.Script(Answer::No);
  person.Script(Answer::No);
  DriveUploads(flash);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(flash.upload.runsToUpload, 0);
  EXPECT_EQ(flash.page.upLoadRun, "Upload is Complete");
}

TEST_F(RunUploadTest, ASingleRunIsNeverAskedAbout) {
  List({{1, 3}});
  Write("run.001", "old");
  Select({0});
  DriveUploads(flash);
  EXPECT_TRUE(person.questions.empty());
  EXPECT_EQ(Read("run.001.part"), "");
  // The old file gives way only to a whole run.
  EXPECT_EQ(Read("run.001"), "old");
  Block(1, "new");
  Block(2, "");
  EXPECT_EQ(Read("run.001"), "new");
}

TEST_F(RunUploadTest, SelectionRules) {
  List({{1, 0}, {2, 0}, {3, 50}});
  Select({0, 1});
  EXPECT_TRUE(proposals.empty());  // nothing with data: no dialog
  EXPECT_EQ(flash.upload.runsToUpload, 0);

  BTUploadClick(flash, {2}, [](const std::string&) { return std::nullopt; });
  EXPECT_EQ(flash.upload.runsToUpload, 0);
  EXPECT_EQ(flash.directory.uploadMark[2], 0);

  Select({0, 2, 7, -1});
  EXPECT_EQ(proposals.back(), "run.003");
  EXPECT_EQ(flash.upload.runsToUpload, 1);
  EXPECT_EQ(flash.upload.folder, folder);
  Select({2});
  EXPECT_EQ(Captions().back(), "Unable to comply / Upload in progress");

  flash.upload.runsToUpload = 0;
  flash.page.extractFiles = -1;
  Select({2});
  EXPECT_EQ(Captions().back(), "Unable to comply / Please Select the File Types To Be Extracted");
}

TEST_F(RunUploadTest, ProgressBarKeepsWithinItsStepsAndTTimeoutStopsAfterCompletion) {
  List({{1, 5'000'000}});
  Select({0});
  DriveUploads(flash);
  EXPECT_EQ(flash.upload.scale, 10000);
  EXPECT_EQ(flash.page.progressMax, 500);
  Block(1, std::string(1026, 'p'));
  EXPECT_EQ(flash.page.progressPosition, 0);
  Block(2, "");
  EXPECT_EQ(flash.upload.timeoutCount, UploadState::kTimeoutStopped);
  EXPECT_FALSE(flash.upload.timeoutEnabled);
  flash.upload.timeoutEnabled = true;  // the timer fires once more before it stops
  TTimeoutTimer(flash);
  EXPECT_FALSE(flash.upload.timeoutEnabled);
  EXPECT_EQ(flash.upload.timeoutCount, 0);
}

TEST_F(RunUploadTest, AFullDiskIsReportedOnceAndShowsInTheSizeCheck) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  List({{1, 2000}});
  std::filesystem::create_symlink("/dev/full", folder / "run.001.part");
  Select({0});
  DriveUploads(flash);
  Block(1, std::string(1000, 'f'));
  Block(2, std::string(1000, 'f'));
  Block(3, "");
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(1), Ack(1), Ack(2), Ack(3)}));
  const std::string path = (folder / "run.001.part").string();
  EXPECT_EQ(Captions(), (std::vector<std::string>{
                            "Run.001 - File Upload Error / Unable to write " + path + ": No space left on device",
                            "Run.001 - File Upload Error / File Sent is Smaller than Expected"}));
  EXPECT_EQ(flash.page.upLoadSize, "File Size:  0 K");
  // The run lacks what the disk refused: it keeps its partial name and is not extracted.
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "run.001.part"));
  EXPECT_FALSE(std::filesystem::exists(folder / "run.001"));
  EXPECT_TRUE(extracted.empty());
}

TEST_F(RunUploadTest, ARunFileThatCannotBeCreatedIsReportedOnceAndRetried) {
  List({{1, 20}});
  std::filesystem::create_directories(folder / "run.001.part");  // a folder where the file should go
  Select({0});
  DriveUploads(flash);
  Block(1, "ignored");
  TimeoutTicks(3);
  DriveUploads(flash);
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{Start(1), Start(1)}));
  // The system's reason follows the name.
  ASSERT_EQ(Captions().size(), 1u);
  EXPECT_EQ(Captions()[0].rfind("Run.001 - File Upload Error / Unable to create " +
                                    (folder / "run.001.part").string() + ": ", 0),
            0u);
  EXPECT_GT(Captions()[0].size(), Captions()[0].rfind(": ") + 2);

  // Made possible again, the run comes whole: the earlier failure does not cling to it.
  std::filesystem::remove(folder / "run.001.part");
  TimeoutTicks(3);
  DriveUploads(flash);
  Block(1, "0123456789");
  Block(2, "0123456789");
  Block(3, "");
  EXPECT_EQ(Read("run.001"), "01234567890123456789");
  EXPECT_EQ(extracted.size(), 1u);
}

TEST_F(RunUploadTest, ARunIsAPartFileUntilItsEndBlockAndACancelledOneStaysPartial) {
  List({{7, 8}, {8, 8}});
  Select({0, 1});
  DriveUploads(flash);
  Block(1, "abcd");
  EXPECT_EQ(Read("run.007.part"), "abcd");
  EXPECT_FALSE(std::filesystem::exists(folder / "run.007"));
  Block(2, "efgh");
  Block(3, "");
  EXPECT_EQ(Read("run.007"), "abcdefgh");
  EXPECT_FALSE(std::filesystem::exists(folder / "run.007.part"));
  ASSERT_EQ(extracted.size(), 1u);
  EXPECT_EQ(extracted[0].path, folder / "run.007");

  // Cancelled halfway: the logger ends the run early; it keeps the name of a part.
  DriveUploads(flash);
  Block(4, "ijkl");
  BTCancelUploadClick(flash);
  Block(5, "mn");
  Block(6, "");
  EXPECT_EQ(Read("run.008.part"), "ijklmn");
  EXPECT_FALSE(std::filesystem::exists(folder / "run.008"));
  EXPECT_EQ(extracted.size(), 1u);
  EXPECT_EQ(flash.page.upLoadRun, "Upload Cancelled");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Run.008 - File Upload Error / File Sent is Smaller than Expected"}));

  // A cancel whose first carrier is the end block comes too late to shorten the run.
  Select({0});
  DriveUploads(flash);
  Block(7, "ABCDEFGH");
  BTCancelUploadClick(flash);
  Block(8, "");
  EXPECT_EQ(Read("run.007"), "ABCDEFGH");
  EXPECT_FALSE(std::filesystem::exists(folder / "run.007.part"));
  EXPECT_EQ(extracted.size(), 2u);
}

}  // namespace
}  // namespace ql
