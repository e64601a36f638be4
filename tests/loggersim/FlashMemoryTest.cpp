#include "loggersim/FlashMemory.h"

#include <gtest/gtest.h>

#include "SimStream.h"
#include "flash/DirectoryEntry.h"
#include "loggersim/LoggerModel.h"
#include "serial/CommandFrame.h"

namespace ql::sim {
namespace {

using test::Frame;
using test::OfType;
using test::Packet;
using test::Split;

struct Block {
  uint16_t number;
  std::string data;
};

// The logger in Standby, with nothing else on the line but what the flash sends.
struct FlashMemoryTest : ::testing::Test {
  LoggerModel model{[] {
    LoggerModel::Options o;
    o.sampling = false;
    return o;
  }()};
  FlashMemory& flash = model.flash();

  void Say(uint16_t code, uint32_t argA = 0, uint16_t argB = 0) {
    const auto f = Frame(code, argA, argB);
    model.Receive(f.data(), static_cast<int>(f.size()));
  }
  std::vector<Block> Blocks() {
    std::vector<Block> blocks;
    for (const Packet& p : OfType(Split(model.TakeOutput()), 4)) {
      const int count = GetI16LE(&p.bytes[6]);
      blocks.push_back({GetU16LE(&p.bytes[2]), std::string(p.bytes.begin() + 8, p.bytes.begin() + 8 + count)});
    }
    return blocks;
  }
  // Answers every block until the end block, the way the host does.
  std::string Upload(int run) {
    Say(CmdUploadRun, 0, static_cast<uint16_t>(run));
    std::string file;
    int lastBlock = -1;
    for (int guard = 0; guard < 100000; ++guard) {
      const std::vector<Block> blocks = Blocks();
      if (blocks.empty()) {
        model.Advance(500);  // lost: the logger sends it again
        continue;
      }
      for (const Block& b : blocks) {
        Say(CmdUploadAck, 1, b.number);
        if (b.data.empty()) return file;
        if (b.number != lastBlock) file += b.data;
        lastBlock = b.number;
      }
    }
    ADD_FAILURE() << "the upload never ended";
    return file;
  }
  static std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
};

TEST_F(FlashMemoryTest, DirectoryListsEveryRunAsTheHostReadsIt) {
  SampleRun sample = BuildSampleRun({.runNumber = 12, .mode = 12, .startTime = 1'765'000'000, .activePorts = 2});
  sample.summary.deviceType[5] = 7;  // a pump on serial port 5
  sample.summary.pumps = {0, 1, 0, 0};
  flash.AddRun({sample.bytes, sample.summary, std::nullopt});
  flash.AddRun({{}, RunSummaryFields{.runNumber = 13}, 4096u});

  Say(CmdGetDirectory);
  const auto entries = OfType(Split(model.TakeOutput()), 5);
  ASSERT_EQ(entries.size(), 5u);  // three earlier runs first
  EXPECT_EQ(DecodeDirectoryEntry(entries[0].bytes.data()).runNumber, 1);
  const DirectoryEntry e = DecodeDirectoryEntry(entries[3].bytes.data());
  EXPECT_EQ(e.runNumber, 12);
  EXPECT_EQ(e.size, sample.bytes.size());
  EXPECT_EQ(DirectoryLine(e).substr(0, 15), " 012     POLL  ");
  EXPECT_NE(DirectoryLine(e).find("  Serial: 1 2  Analog: 1 2  Pumps: 2 S5"), std::string::npos);
  EXPECT_EQ(DecodeDirectoryEntry(entries[4].bytes.data()).size, 4096u);

  Say(CmdClearFlash, 0, 1);
  Say(CmdGetDirectory);
  EXPECT_TRUE(OfType(Split(model.TakeOutput()), 5).empty());
}

TEST_F(FlashMemoryTest, UploadSendsTheRunBlockByBlockAgainstAcknowledgements) {
  const Bytes& run2 = flash.Runs()[1].bytes;
  ASSERT_GT(run2.size(), 100'000u);
  Say(CmdUploadRun, 0, 2);
  std::vector<Block> first = Blocks();
  ASSERT_EQ(first.size(), 1u);  // nothing more until it is answered
  EXPECT_EQ(first[0].number, 1);
  EXPECT_EQ(first[0].data.size(), 1026u);
  Say(CmdUploadAck, 1, 7);  // not the block in flight: ignored
  EXPECT_TRUE(Blocks().empty());
  model.Advance(FlashMemory::kResendMs);
  const std::vector<Block> again = Blocks();
  ASSERT_EQ(again.size(), 1u);  // unanswered: sent again under its number
  EXPECT_EQ(again[0].number, 1);
  model.TakeOutput();

  EXPECT_EQ(Upload(2), Text(run2));
  EXPECT_EQ(flash.counters().uploadsFinished, 1);
  EXPECT_FALSE(flash.Uploading());
}

TEST_F(FlashMemoryTest, CancelOnTheAcknowledgementEndsTheFile) {
  Say(CmdUploadRun, 0, 1);
  Say(CmdUploadAck, 1, Blocks()[0].number);
  const std::vector<Block> second = Blocks();
  ASSERT_EQ(second.size(), 1u);
  Say(CmdUploadAck, 2, second[0].number);
  const std::vector<Block> end = Blocks();
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(end[0].number, 3);
  EXPECT_TRUE(end[0].data.empty());
  Say(CmdUploadAck, 2, 3);
  EXPECT_FALSE(flash.Uploading());
  EXPECT_EQ(flash.counters().uploadsCancelled, 1);
}

TEST_F(FlashMemoryTest, FaultsDropRepeatAndDelayBlocksYetTheFileArrivesWhole) {
  flash.faults().droppedBlocks = 0.1;
  flash.faults().repeatedBlocks = 0.1;
  flash.faults().delayedBlocks = 0.05;
  EXPECT_EQ(Upload(3), Text(flash.Runs()[2].bytes));
  const auto& c = flash.counters();
  EXPECT_GT(c.blocksDropped, 5);
  EXPECT_GT(c.blocksRepeated, 5);
  EXPECT_GT(c.blocksDelayed, 2);
  EXPECT_EQ(c.blocksResent, c.blocksDropped);
}

TEST_F(FlashMemoryTest, SilentStartEmptyRunAndUnknownRun) {
  flash.faults().silentStart = true;
  Say(CmdUploadRun, 0, 1);
  model.Advance(5000);
  EXPECT_TRUE(Blocks().empty());
  EXPECT_EQ(flash.counters().startsIgnored, 1);
  Say(CmdUploadRun, 0, 1);  // asked again: now it answers
  EXPECT_EQ(Blocks().size(), 1u);

  flash.faults().silentStart = false;
  flash.faults().emptyRun = 2;
  Say(CmdUploadRun, 0, 2);
  const std::vector<Block> empty = Blocks();
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_TRUE(empty[0].data.empty());
  Say(CmdGetDirectory);
  const auto entries = OfType(Split(model.TakeOutput()), 5);
  EXPECT_EQ(DecodeDirectoryEntry(entries[1].bytes.data()).size, flash.Runs()[1].bytes.size());

  EXPECT_EQ(Upload(99), "");
}

TEST_F(FlashMemoryTest, ASamplingThatEndsLeavesItsRunInTheFlash) {
  model.Begin();
  model.Advance(10'000);
  model.Stop();
  model.TakeOutput();
  Say(CmdGetDirectory);
  const auto entries = OfType(Split(model.TakeOutput()), 5);
  ASSERT_EQ(entries.size(), 4u);
  const DirectoryEntry e = DecodeDirectoryEntry(entries[3].bytes.data());
  EXPECT_EQ(e.runNumber, 4);
  EXPECT_GT(e.size, 0u);
  EXPECT_GT(e.startMillivolts, e.endMillivolts - 1);
}

}  // namespace
}  // namespace ql::sim
