#include "flash/LoggerDirectory.h"

#include "FlashFixture.h"
#include "flash/DirectoryEntry.h"
#include "serial/CommandFrame.h"

namespace ql {
namespace {

using test::DirectoryFields;
using test::DirectoryPacket;
using test::SentFrame;

struct LoggerDirectoryTest : test::FlashFixture {
  void Entry(const DirectoryFields& f) { HandleDirectoryEntry(flash, DirectoryPacket(f).data()); }
};

TEST_F(LoggerDirectoryTest, LinesAreBuiltByteForByte) {
  DirectoryFields f;
  f.run = 7;
  f.size = 1023;
  f.device = {9, 3, 7, -1, 0, 13, 0, 0, 1};  // port 0 is the host port and never listed
  f.analog = {1, 1, 2, 0, 0, 0, 0, 1};
  f.pumps = {1, 0, 0, 1};
  const std::string line = DirectoryLine(DecodeDirectoryEntry(DirectoryPacket(f).data()));
  EXPECT_EQ(line,
            " 007    "
            " PROF  "
            "   12/06/25  05:46:40"
            "   12.5   11.9 "
            "        1023  "
            "  Serial: 1 5 8"
            "  Analog: 1 7"
            "  Pumps: 1 4 S2 A2");

  f.size = 1024;
  f.run = 42;
  f.mode = 12;
  f.device = {};
  f.analog = {};
  f.pumps = {};
  f.startMv = 9050;
  EXPECT_EQ(DirectoryLine(DecodeDirectoryEntry(DirectoryPacket(f).data())),
            " 042     POLL     12/06/25  05:46:40    9.1   11.9            1 K  Serial:  Analog:  Pumps:");
  f.size = 5u << 20;
  EXPECT_NE(DirectoryLine(DecodeDirectoryEntry(DirectoryPacket(f).data())).find("        5120 K"), std::string::npos);
}

TEST_F(LoggerDirectoryTest, EveryModeCodeHasItsColumnText) {
  const std::vector<std::pair<int, std::string>> table = {
      {0, " PROF  "},  {1, " MOOR  "},  {2, " ERR   "},  {3, " ANLG  "}, {4, " Port1 "}, {7, " Port4 "},
      {11, " Port8 "}, {12, " POLL  "}, {13, " NONE  "}, {14, " ERR   "}, {-1, " ERR   "}};
  for (const auto& [code, text] : table) EXPECT_EQ(RunModeText(code), text) << code;
}

TEST_F(LoggerDirectoryTest, DirectoryIsAskedForOnlyInStandbyOrEndOfRunAndNotDuringAnUpload) {
  Entry({.run = 1});
  BTGetDirectoryClick(flash, 6, "QL-9");
  EXPECT_EQ(Captions(), (std::vector<std::string>{
                            "Directory Error / The QL-9 Must be in Standby before the Directory can be Retrieved"}));
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(flash.directory.entryCount, 1);
  EXPECT_EQ(flash.page.profiles.size(), 1u);

  flash.upload.runsToUpload = 1;
  BTGetDirectoryClick(flash, kLoggerStandby, "QL-9");
  EXPECT_EQ(Captions().back(), "Unable to comply / Upload in progress");
  EXPECT_TRUE(Sent().empty());

  flash.upload.runsToUpload = 0;
  flash.upload.cancelRequest = true;
  for (int state : {kLoggerStandby, kLoggerEndOfRun}) {
    BTGetDirectoryClick(flash, state, "???");
    EXPECT_EQ(Sent(), (std::vector<SentFrame>{{CmdGetDirectory, 0, 0}}));
    EXPECT_EQ(flash.directory.entryCount, 0);
    EXPECT_TRUE(flash.page.profiles.empty());
    EXPECT_FALSE(flash.upload.cancelRequest);
  }
  EXPECT_EQ(person.boxes.size(), 2u);
}

TEST_F(LoggerDirectoryTest, RunNumbersFrom512AndPacketsBeyondTheTableAreRefused) {
  Entry({.run = 512, .size = 4000});
  EXPECT_EQ(flash.page.csError, "Run Number: 512");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"File System Overload / More than 512 files found recorded"}));
  EXPECT_EQ(flash.directory.entryCount, 0);
  EXPECT_TRUE(flash.page.profiles.empty());

  // A logger that lists more runs than the table holds: the 513th finds no place.
  for (int i = 0; i < RunDirectory::kEntries; ++i) Entry({.run = static_cast<int16_t>(i % 500), .size = 10});
  EXPECT_EQ(flash.directory.entryCount, 512);
  Entry({.run = 3, .size = 10});
  EXPECT_EQ(flash.directory.entryCount, 512);
  EXPECT_EQ(flash.page.profiles.size(), 512u);
  EXPECT_EQ(person.boxes.size(), 2u);
  EXPECT_EQ(person.boxes.back().caption, "File System Overload");
  EXPECT_EQ(flash.page.csError, "Run Number: 3");
}

TEST_F(LoggerDirectoryTest, AListEmptiedUnderTheTableWarnsOnceARequest) {
  Entry({.run = 1, .size = 10});
  Entry({.run = 2, .size = 20});
  EXPECT_EQ(flash.directory.size[1], 20);
  flash.page.profiles.clear();  // the page changed while the list was shown
  Entry({.run = 3});
  Entry({.run = 4});
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "**** Warning - Run Directory Error ****");
  EXPECT_EQ(person.boxes[0].text, "The Logger Directory maybe missing files, Press 'Get Logger Directory' to Reload");

  BTGetDirectoryClick(flash, kLoggerStandby, "QL-9");
  Entry({.run = 1});
  flash.page.profiles.clear();
  Entry({.run = 2});
  EXPECT_EQ(person.boxes.size(), 2u);
}

TEST_F(LoggerDirectoryTest, ClearMemoryAsksThenEmptiesTheListButNotTheTable) {
  Entry({.run = 5, .size = 2048});
  person.Script(Operator::Answer::No);
  BTClearMemoryClick(flash);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(flash.page.profiles.size(), 1u);

  BTClearMemoryClick(flash);
  EXPECT_EQ(Sent(), (std::vector<SentFrame>{{CmdClearFlash, 0, 1}}));
  EXPECT_TRUE(flash.page.profiles.empty());
  EXPECT_EQ(flash.directory.entryCount, 1);
  ASSERT_EQ(person.questions.size(), 2u);
  EXPECT_EQ(person.questions[1].caption, "Clear Memory");
  EXPECT_EQ(person.questions[1].text, "Are you sure you want to clear the flash memory?");
  EXPECT_EQ(person.questions[1].buttons, Operator::Buttons::YesNo);
  EXPECT_EQ(Captions().back(),
            "**** WARNING **** / The status must return to Standby before removing power or any other action is taken");
}

}  // namespace
}  // namespace ql
