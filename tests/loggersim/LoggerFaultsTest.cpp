#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "SimStream.h"
#include "loggersim/LoggerModel.h"

namespace ql::sim {
namespace {

using test::OfType;
using test::Packet;
using test::Split;

struct LoggerFaultsTest : ::testing::Test {
  LoggerModel model;
  std::vector<uint8_t> bytes;

  std::vector<Packet> Run(int ms) {
    model.Advance(ms);
    bytes = model.TakeOutput();
    return Split(bytes);
  }
};

std::vector<int> Sequences(const std::vector<Packet>& data, int sender) {
  std::vector<int> sequences;
  for (const Packet& d : data) {
    if (d.Sender() == sender) sequences.push_back(d.Sequence());
  }
  return sequences;
}

TEST_F(LoggerFaultsTest, NoiseAddsItsShareOfRandomBytesAndEveryPacketStillComesThrough) {
  model.faults().noise = 0.3;
  const auto packets = Run(10'000);
  const auto& c = model.counters();
  EXPECT_NEAR(static_cast<double>(c.noiseBytes), 0.3 * static_cast<double>(c.packetBytes), 1.0);
  EXPECT_EQ(static_cast<int64_t>(bytes.size()), c.packetBytes + c.noiseBytes);
  EXPECT_EQ(OfType(packets, 3).size(), 10u);
  EXPECT_EQ(OfType(packets, 8).size(), 20u);
}

TEST_F(LoggerFaultsTest, TypeBurstsFollowEveryTenthPacketAndEveryPacketStillComesThrough) {
  model.faults().typeBursts = 600;
  const auto packets = Run(10'000);
  const auto& c = model.counters();
  const int sent = c.statusPackets + c.dataPackets;
  EXPECT_EQ(c.burstBytes, 600 * (sent / kBurstEvery));
  EXPECT_EQ(static_cast<int64_t>(bytes.size()), c.packetBytes + c.burstBytes);
  EXPECT_EQ(static_cast<int>(packets.size()), sent);
  EXPECT_NE(std::search_n(bytes.begin(), bytes.end(), 600, uint8_t{8}), bytes.end());
}

TEST_F(LoggerFaultsTest, PacketsWithBadChecksumsAreRefusedByTheHostFraming) {
  model.faults().badChecksums = 0.5;
  const auto packets = Run(10'000);
  const auto& c = model.counters();
  EXPECT_GT(c.badChecksums, 5);
  EXPECT_LT(c.badChecksums, 25);
  EXPECT_EQ(static_cast<int>(packets.size()), c.statusPackets + c.dataPackets - c.badChecksums);
}

TEST_F(LoggerFaultsTest, SilenceSendsNothingWhileTheLoggerGoesOn) {
  model.faults().silent = true;
  EXPECT_TRUE(Run(3000).empty());
  EXPECT_TRUE(bytes.empty());
  EXPECT_GT(model.counters().silencedBytes, 0);
  model.faults().silent = false;
  const auto packets = Run(1000);
  EXPECT_EQ(OfType(packets, 3).back().LoggerSeconds(), 1'765'000'004);
  EXPECT_EQ(OfType(packets, 8).front().Sequence(), 6);  // what was sampled meanwhile is gone
}

TEST_F(LoggerFaultsTest, DuplicatesGapsAndHighSendersFollowTheirRhythm) {
  model.faults().duplicates = true;
  auto data = OfType(Run(7000), 8);
  EXPECT_EQ(Sequences(data, 2), (std::vector<int>{0, 1, 2, 3, 4, 4, 5, 6, 7, 8, 9, 9, 10, 11, 12, 13}));

  model.faults().duplicates = false;
  model.faults().gaps = true;
  data = OfType(Run(7000), 8);  // records 15..28 of the run; the 21st and 28th skip one
  EXPECT_EQ(Sequences(data, 2), (std::vector<int>{14, 15, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 29}));

  model.faults().gaps = false;
  model.faults().highSenders = true;
  data = OfType(Run(8000), 8);
  EXPECT_EQ(Sequences(data, 2).size(), 16u);
  std::vector<int> high;
  for (const Packet& d : data) {
    if (d.Sender() >= 5) high.push_back(d.Sender() * 10 + d.Sequence());
  }
  EXPECT_EQ(high, (std::vector<int>{50, 60, 70, 80}));
}

TEST_F(LoggerFaultsTest, SendersTakeTurnsEachWithItsOwnSequence) {
  model.SetSenders(1, 4);
  const auto data = OfType(Run(4000), 8);
  ASSERT_EQ(data.size(), 8u);
  for (size_t i = 0; i < data.size(); ++i) {
    EXPECT_EQ(data[i].Sender(), static_cast<int>(i % 4) + 1);
    EXPECT_EQ(data[i].Sequence(), static_cast<int>(i / 4));
  }
}

TEST_F(LoggerFaultsTest, BadFlashIsReportedEachSecondAndItsClearingOnce) {
  model.faults().badFlash = -3;
  auto shorts = OfType(Run(3000), 2);
  ASSERT_EQ(shorts.size(), 3u);
  EXPECT_EQ(GetI16LE(&shorts[0].bytes[2]), -3);
  model.faults().badFlash = 0;
  shorts = OfType(Run(3000), 2);
  ASSERT_EQ(shorts.size(), 1u);
  EXPECT_EQ(GetI16LE(&shorts[0].bytes[2]), 0);
}

TEST_F(LoggerFaultsTest, FirmwareWordCarriesTheVersion) {
  auto version = [](uint32_t word) { return (word >> 28) * 100 + ((word >> 20) & 0xFF); };
  EXPECT_EQ(version(OfType(Run(1000), 3).back().FileBytes(13)), 712u);
  model.faults().oldFirmware = true;
  EXPECT_EQ(version(OfType(Run(1000), 3).back().FileBytes(13)), 695u);
}

}  // namespace
}  // namespace ql::sim
