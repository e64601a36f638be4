#include "loggersim/RealTimeMix.h"

#include <gtest/gtest.h>

#include <map>

#include "SimStream.h"
#include "loggersim/LoggerModel.h"
#include "loggersim/SwitchCommands.h"

namespace ql::sim {
namespace {

TEST(RealTimeMixTest, FourSendersEachSendTheirOwnInstrumentsAtTheChosenRate) {
  LoggerModel model;
  model.SetSenders(1, 4);
  ASSERT_EQ(ApplySwitch(model, "instruments", "mixed"), "");
  EXPECT_NE(ApplySwitch(model, "instruments", "fancy"), "");
  ASSERT_EQ(ApplySwitch(model, "rate", "20"), "");
  EXPECT_NE(DescribeSwitches(model).find("instruments mixed\n"), std::string::npos);
  model.Advance(10'000);
  const std::vector<test::Packet> data = test::OfType(test::Split(model.TakeOutput()), 8);

  // Every packet the logger sent is found whole, binary frames and all.
  ASSERT_EQ(data.size(), static_cast<size_t>(model.counters().dataPackets));
  EXPECT_NEAR(static_cast<double>(data.size()), 200.0, 1.0);
  std::map<int, std::vector<test::Packet>> bySender;
  for (const test::Packet& p : data) bySender[p.Sender()].push_back(p);
  ASSERT_EQ(bySender.size(), 4u);
  for (const auto& [sender, packets] : bySender) {
    for (size_t i = 0; i < packets.size(); ++i) EXPECT_EQ(packets[i].Sequence(), static_cast<int>(i % 256));
  }

  // Sender 1: a CTD line on port 1, a 15-byte binary frame on port 2, two analog words.
  const test::Packet& one = bySender[1].front();
  EXPECT_EQ(one.Count(2), 0);
  EXPECT_EQ(one.Count(1), 15);
  EXPECT_EQ(one.Count(8), 4);
  const std::string text(one.bytes.begin() + 30, one.bytes.begin() + 30 + one.Count(0));
  EXPECT_EQ(text.substr(0, 2), "T=");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(one.bytes[30 + static_cast<size_t>(one.Count(0))], 0x7F);
  // Sender 2 carries a GPS sentence on port 2 and seven analog channels.
  const test::Packet& two = bySender[2].front();
  EXPECT_EQ(two.bytes[30 + static_cast<size_t>(two.Count(0))], '$');
  EXPECT_EQ(two.Count(8), 14);
  // Sender 3 has no port 1 and no analog channels.
  EXPECT_EQ(bySender[3].front().Count(0), 0);
  EXPECT_EQ(bySender[3].front().Count(8), 0);

  // Plain again: port lines as before.
  ASSERT_EQ(ApplySwitch(model, "instruments", "plain"), "");
  EXPECT_FALSE(model.MixedInstruments());
}

}  // namespace
}  // namespace ql::sim
