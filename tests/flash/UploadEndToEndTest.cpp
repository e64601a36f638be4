#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "flash/LoggerDirectory.h"
#include "flash/RunUpload.h"
#include "hostmain/SimulatedHost.h"
#include "common/Format.h"
#include "serial/CommandFrame.h"

namespace ql {
namespace {

// Host and simulated logger in one process, with all four timers of the host driven
// in simulated time; TTimeout starts its period afresh whenever it is enabled, as the
// window's timer does.
struct UploadRig : test::SimulatedHost {
  static sim::LoggerModel::Options InStandby() {
    sim::LoggerModel::Options o;
    o.sampling = false;
    return o;
  }

  std::filesystem::path folder;
  int64_t nowMs = 0;
  int64_t timeoutDueMs = -1;
  std::vector<int> duplicatesPerRun;

  UploadRig() : SimulatedHost(InStandby()) {
    folder = std::filesystem::temp_directory_path() /
             ("ql9upload-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    host.flash.page.extractFiles = 0;
    host.flash.extractRun = [this, extract = host.flash.extractRun](const std::filesystem::path& runFile, int choice) {
      duplicatesPerRun.push_back(static_cast<int>(host.flash.upload.duplicates));
      extract(runFile, choice);
    };
  }
  ~UploadRig() { std::filesystem::remove_all(folder); }

  void Step() {
    nowMs += 5;
    logger->Advance(5);
    clock.AdvanceMs(5);
    Timer10msTimer(host);
    if (nowMs % 1000 == 0) {
      Timer475msTimer(host);
      Timer1000msTimer(host);
    }
    if (!host.flash.upload.timeoutEnabled) {
      timeoutDueMs = -1;
    } else if (timeoutDueMs < 0) {
      timeoutDueMs = nowMs + 1500;
    } else if (nowMs >= timeoutDueMs) {
      timeoutDueMs += 1500;
      TTimeoutTimer(host.flash);
    }
  }
  void RunMs(int64_t ms) {
    for (int64_t end = nowMs + ms; nowMs < end;) Step();
  }
  // Runs until the upload is over; false if it takes longer than the limit.
  bool RunUntilIdle(int64_t limitMs) {
    for (int64_t end = nowMs + limitMs; nowMs < end;) {
      Step();
      if (host.flash.upload.runsToUpload == 0) return true;
    }
    return false;
  }

  void ListRuns() {
    RunMs(1000);  // a status tells the host the logger stands by
    BTGetDirectoryClick(host.flash, host.statusMemory.loggerState, host.statusMemory.loggerName);
    RunMs(1000);
  }
  void UploadLines(const std::vector<int>& lines) {
    BTUploadClick(host.flash, lines, [this](const std::string& name) { return (folder / name).string(); });
  }
  int StartRequestsHeard() const {
    int n = 0;
    for (const auto& m : logger->Heard()) n += m.kind == sim::HostMessage::Kind::Command && m.code == CmdUploadRun;
    return n;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Stored(int index) {
    const sim::Bytes& b = logger->flash().Runs()[static_cast<size_t>(index)].bytes;
    return std::string(b.begin(), b.end());
  }
};

TEST(UploadEndToEndTest, ThreeRunsThroughDroppedAndRepeatedBlocksArriveByteExact) {
  UploadRig rig;
  rig.logger->flash().faults().droppedBlocks = 0.1;
  rig.logger->flash().faults().repeatedBlocks = 0.1;
  rig.ListRuns();
  ASSERT_EQ(rig.host.flash.page.profiles.size(), 3u);
  EXPECT_EQ(rig.host.flash.page.profiles[1].substr(0, 15), " 002     PROF  ");

  rig.UploadLines({0, 1, 2});
  ASSERT_TRUE(rig.RunUntilIdle(600'000));
  for (int i = 0; i < 3; ++i) {
    const std::string name = Format("run.%03d", i + 1);
    EXPECT_EQ(rig.Read(name), rig.Stored(i)) << name;
  }
  const auto& sent = rig.logger->flash().counters();
  EXPECT_GT(sent.blocksDropped, 10);
  ASSERT_EQ(rig.duplicatesPerRun.size(), 3u);
  EXPECT_EQ(rig.duplicatesPerRun[0] + rig.duplicatesPerRun[1] + rig.duplicatesPerRun[2], sent.blocksRepeated);
  EXPECT_EQ(rig.host.flash.page.csError, Format("Duplicate Packets:  %1ld", static_cast<long>(rig.duplicatesPerRun[2])));
  EXPECT_EQ(rig.host.flash.page.upLoadRun, "Upload is Complete");
  EXPECT_TRUE(rig.person.boxes.empty());
  EXPECT_EQ(rig.StartRequestsHeard(), 3);
}

TEST(UploadEndToEndTest, ASilentStartIsRequestedAgainAfterAboutFourAndAHalfSeconds) {
  UploadRig rig;
  rig.logger->flash().faults().silentStart = true;
  rig.ListRuns();
  rig.UploadLines({0});
  int64_t firstAt = -1;
  int64_t secondAt = -1;
  while (secondAt < 0 && rig.nowMs < 20'000) {
    rig.Step();
    if (firstAt < 0 && rig.StartRequestsHeard() == 1) firstAt = rig.nowMs;
    if (rig.StartRequestsHeard() == 2) secondAt = rig.nowMs;
  }
  ASSERT_GE(firstAt, 0);
  ASSERT_GE(secondAt, 0);
  EXPECT_GE(secondAt - firstAt, 4500);
  EXPECT_LE(secondAt - firstAt, 5500);
  ASSERT_TRUE(rig.RunUntilIdle(120'000));
  EXPECT_EQ(rig.Read("run.001"), rig.Stored(0));
}

TEST(UploadEndToEndTest, CancelMidRunStopsTheLoggerAndDropsTheRunsLeft) {
  UploadRig rig;
  rig.ListRuns();
  rig.UploadLines({0, 1, 2});
  rig.RunMs(1500);
  ASSERT_GT(rig.host.flash.upload.bytesReceived, 0);
  BTCancelUploadClick(rig.host.flash);
  ASSERT_TRUE(rig.RunUntilIdle(10'000));
  EXPECT_EQ(rig.host.flash.page.upLoadRun, "Upload Cancelled");
  EXPECT_EQ(rig.logger->flash().counters().uploadsCancelled, 1);
  EXPECT_FALSE(rig.logger->flash().Uploading());
  // What came stays a partial run under a name that says so, and is not extracted.
  const std::string part = rig.Read("run.001.part");
  EXPECT_LT(part.size(), rig.Stored(0).size());
  EXPECT_EQ(part, rig.Stored(0).substr(0, part.size()));
  EXPECT_FALSE(std::filesystem::exists(rig.folder / "run.001"));
  EXPECT_FALSE(std::filesystem::exists(rig.folder / "archive.001"));
  EXPECT_FALSE(std::filesystem::exists(rig.folder / "run.002"));
  EXPECT_FALSE(std::filesystem::exists(rig.folder / "run.002.part"));
  ASSERT_EQ(rig.person.boxes.size(), 1u);
  EXPECT_EQ(rig.person.boxes[0].text, "File Sent is Smaller than Expected");
  rig.RunMs(10'000);
  EXPECT_EQ(rig.StartRequestsHeard(), 1);
}

TEST(UploadEndToEndTest, AZeroLengthRunLeavesAnEmptyFileAndTheSizeMessage) {
  UploadRig rig;
  rig.logger->flash().faults().emptyRun = 2;
  rig.ListRuns();
  rig.UploadLines({1, 2});
  ASSERT_TRUE(rig.RunUntilIdle(120'000));
  EXPECT_TRUE(std::filesystem::exists(rig.folder / "run.002"));
  EXPECT_EQ(rig.Read("run.002"), "");
  EXPECT_EQ(rig.Read("run.003"), rig.Stored(2));
  ASSERT_EQ(rig.person.boxes.size(), 1u);
  EXPECT_EQ(rig.person.boxes[0].caption, "Run.002 - File Upload Error");
  EXPECT_EQ(rig.person.boxes[0].text, "File Sent is Smaller than Expected");
}

TEST(UploadEndToEndTest, DirectoryIsRefusedWhileTheLoggerSamples) {
  UploadRig rig;
  rig.logger->Begin();
  rig.RunMs(2000);
  BTGetDirectoryClick(rig.host.flash, rig.host.statusMemory.loggerState, rig.host.statusMemory.loggerName);
  rig.RunMs(1000);
  EXPECT_TRUE(rig.host.flash.page.profiles.empty());
  ASSERT_EQ(rig.person.boxes.size(), 1u);
  EXPECT_EQ(rig.person.boxes[0].text, "The QL-9 Must be in Standby before the Directory can be Retrieved");

  // Stopped, it lists the run it has just ended as well.
  rig.logger->Stop();
  rig.ListRuns();
  EXPECT_EQ(rig.host.flash.page.profiles.size(), 4u);
}

TEST(UploadEndToEndTest, EachUploadedRunIsExtractedBesideItWithTheChoiceOfTheUploadStart) {
  UploadRig rig;
  rig.host.debugFile = true;
  rig.ListRuns();
  rig.host.flash.page.extractFiles = 1;  // "ZR Archive Plus Raw Files"
  rig.UploadLines({1});
  rig.host.flash.page.extractFiles = 0;  // a later change does not reach the running upload
  ASSERT_TRUE(rig.RunUntilIdle(600'000));
  for (const char* name : {"archive.002", "Battery.002", "Summary.002", "Port1.002", "analog.002"}) {
    EXPECT_FALSE(rig.Read(name).empty()) << name;
  }
  EXPECT_EQ(rig.Read("Summary.002").rfind("Run # 2:  Profile on ", 0), 0u);
  EXPECT_EQ(rig.Read("log.dat").rfind("Type ", 0), 0u);
  EXPECT_TRUE(rig.person.boxes.empty());
}

}  // namespace
}  // namespace ql
