#include "link/Dispatcher.h"

#include <gtest/gtest.h>

#include "support/Packets.h"

namespace ql {
namespace {

TEST(DispatcherTest, FlaggedRecordsKeepOnlyTheNewestPacket) {
  LoggerRecords records;
  Dispatcher dispatcher(records);
  const test::Bytes first = test::FixedPacket(1, {0, 0, 1});
  const test::Bytes second = test::FixedPacket(1, {0, 0, 12});
  dispatcher.DispatchPacket(1, first.data());
  dispatcher.DispatchPacket(1, second.data());
  EXPECT_TRUE(records.setupReceived);
  EXPECT_EQ(records.setup[4], 12);
  EXPECT_EQ(std::vector<uint8_t>(records.setup.begin(), records.setup.end()), second);

  dispatcher.DispatchPacket(3, test::FixedPacket(3, {0, 0, 9}).data());
  EXPECT_TRUE(records.statusReceived);
  EXPECT_EQ(records.status[4], 9);
}

TEST(DispatcherTest, ImmediateConsumersRunWithTheirRecordFilled) {
  LoggerRecords records;
  Dispatcher dispatcher(records);
  std::vector<int> seen;
  dispatcher.hooks().uploadBlock = [&] { seen.push_back(records.uploadBlock[2]); };
  dispatcher.hooks().directoryEntry = [&] { seen.push_back(records.directoryEntry[2]); };
  dispatcher.hooks().analogCalibration = [&] { seen.push_back(records.analogCalibration[2]); };
  dispatcher.hooks().hardwareSettings = [&] { seen.push_back(records.hardwareConfig[2]); };
  for (int type = 4; type <= 7; ++type) {
    dispatcher.DispatchPacket(type, test::FixedPacket(type, {static_cast<uint8_t>(type * 10)}).data());
  }
  EXPECT_EQ(seen, (std::vector<int>{40, 50, 60, 70}));
  EXPECT_TRUE(records.hardwareReceived);
  EXPECT_FALSE(records.setupReceived);
}

TEST(DispatcherTest, BadFlashPanelFollowsTheShortMessageWord) {
  LoggerRecords records;
  Dispatcher dispatcher(records);
  // Before any short message the first check hides the panel once.
  BadFlashChange c = ShowBadFlash(records);
  EXPECT_TRUE(c.changed);
  EXPECT_FALSE(c.panelVisible);
  EXPECT_FALSE(ShowBadFlash(records).changed);

  dispatcher.DispatchPacket(2, test::FixedPacket(2, {0xFE, 0xFF}).data());  // -2
  EXPECT_EQ(records.badFlash, -2);
  c = ShowBadFlash(records);
  EXPECT_TRUE(c.changed);
  EXPECT_TRUE(c.panelVisible);
  dispatcher.DispatchPacket(2, test::FixedPacket(2, {0xFE, 0xFF}).data());
  EXPECT_FALSE(ShowBadFlash(records).changed);  // the same value again changes nothing

  dispatcher.DispatchPacket(2, test::FixedPacket(2, {0, 0}).data());
  c = ShowBadFlash(records);
  EXPECT_TRUE(c.changed);
  EXPECT_FALSE(c.panelVisible);

  // A -2 that comes before the first check, or stands when a host mode change has
  // forgotten what was shown, is still shown.
  for (int round = 0; round < 2; ++round) {
    LoggerRecords fresh;
    Dispatcher d(fresh);
    if (round == 1) {
      d.DispatchPacket(2, test::FixedPacket(2, {0xFE, 0xFF}).data());
      ShowBadFlash(fresh);
      fresh.shownBadFlash = LoggerRecords::kBadFlashNotShown;
    }
    d.DispatchPacket(2, test::FixedPacket(2, {0xFE, 0xFF}).data());
    c = ShowBadFlash(fresh);
    EXPECT_TRUE(c.changed) << round;
    EXPECT_TRUE(c.panelVisible) << round;
  }
}

}  // namespace
}  // namespace ql
