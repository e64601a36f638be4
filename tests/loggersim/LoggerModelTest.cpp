#include "loggersim/LoggerModel.h"

#include <gtest/gtest.h>

#include "SimStream.h"

namespace ql::sim {
namespace {

using test::Frame;
using test::OfType;
using test::Packet;
using test::Split;
using test::Text;

constexpr int64_t kStart = 1'765'000'000;

struct LoggerModelTest : ::testing::Test {
  LoggerModel model;

  std::vector<Packet> Run(int ms) {
    model.Advance(ms);
    return Split(model.TakeOutput());
  }
  void Say(const std::vector<uint8_t>& bytes) { model.Receive(bytes.data(), static_cast<int>(bytes.size())); }
  int NextStatusState() {
    const auto statuses = OfType(Run(1000), 3);
    return statuses.empty() ? -1 : statuses.back().State();
  }
};

TEST_F(LoggerModelTest, SendsOneGoodStatusEachSecondWithATickingClock) {
  model.Advance(999);
  EXPECT_TRUE(OfType(Split(model.TakeOutput()), 3).empty());
  model.Advance(1);
  uint32_t lastPortFile = 0;
  for (int second = 1; second <= 4; ++second) {
    const auto statuses = OfType(Split(model.TakeOutput()), 3);
    ASSERT_EQ(statuses.size(), 1u) << "second " << second;
    const Packet& s = statuses[0];
    EXPECT_EQ(s.State(), kStateSampling);
    EXPECT_EQ(s.RunNumber(), 4);
    EXPECT_EQ(s.LoggerSeconds(), kStart + second);
    EXPECT_EQ(GetI16LE(&s.bytes[18]), 2);          // QL-9
    EXPECT_EQ(GetI16LE(&s.bytes[20]), 2);          // logger ID
    EXPECT_EQ(GetU16LE(&s.bytes[22]), 0x00FF);     // eight serial ports, RS-232
    EXPECT_GT(GetI16LE(&s.bytes[28 + 2]), 0);      // port 1 bytes per second
    EXPECT_EQ(GetU16LE(&s.bytes[46]) & 1, 1);      // port 1 powered
    EXPECT_NEAR(GetI16LE(&s.bytes[48]), 12480, 50);
    EXPECT_GT(s.FileBytes(1), lastPortFile);       // the run's port 1 file grows
    lastPortFile = s.FileBytes(1);
    EXPECT_EQ(s.FileBytes(12), LoggerModel::kFlashBytes);
    EXPECT_LT(s.FileBytes(11), s.FileBytes(12));
    EXPECT_EQ(s.FileBytes(13) >> 28, 7u);          // firmware 7.xx
    model.Advance(1000);
  }
}

TEST_F(LoggerModelTest, DataPacketsCarryBigEndianHeadersRunningSequencesAndPortText) {
  model.SetDataRate(4);
  const auto data = OfType(Run(2000), 8);
  ASSERT_EQ(data.size(), 8u);
  for (size_t i = 0; i < data.size(); ++i) {
    const Packet& d = data[i];
    EXPECT_EQ(d.Sender(), 2);
    EXPECT_EQ(d.Sequence(), static_cast<int>(i));
    int sum = 0;
    for (int k = 0; k < 9; ++k) sum += d.Count(k);
    EXPECT_EQ(d.DataLength(), sum);
    EXPECT_EQ(d.bytes.size(), static_cast<size_t>(36 + sum));
    const std::string port1(d.bytes.begin() + 30, d.bytes.begin() + 30 + d.Count(0));
    EXPECT_EQ(port1.rfind("T=", 0), 0u) << port1;
    EXPECT_EQ(port1.substr(port1.size() - 2), "\r\n");
    EXPECT_EQ(d.Count(8), 4);  // analog inputs 1 and 2, two bytes each
    EXPECT_GE(d.Time(), static_cast<uint32_t>(kStart));
    EXPECT_LE(d.Time(), static_cast<uint32_t>(kStart + 2));
    EXPECT_EQ(std::string(d.bytes.end() - 6, d.bytes.end() - 2), "####");
  }
}

TEST_F(LoggerModelTest, AnswersGetSetupKeepsASentSetupAndIgnoresABadOne) {
  Say(Frame(CmdGetSetup));
  auto setups = OfType(Split(model.TakeOutput()), 1);
  ASSERT_EQ(setups.size(), 1u);
  const auto defaults = SetupRecord::Defaults().Bytes();
  EXPECT_EQ(setups[0].bytes, std::vector<uint8_t>(defaults.begin(), defaults.end()));
  EXPECT_EQ(GetI16LE(&setups[0].bytes[SetupRecord::kMode]), SetupRecord::kRealTimeMode);

  SetupRecord profile = SetupRecord::Defaults();
  profile.SetI16(SetupRecord::kMode, SetupRecord::kProfileMode);
  profile.SetI32(SetupRecord::kBaud, 19200);
  profile.Seal();
  SetupRecord broken = SetupRecord::Defaults();
  broken.SetI16(SetupRecord::kMode, 1);
  broken.Seal();
  std::vector<uint8_t> bad(broken.Bytes().begin(), broken.Bytes().end());
  bad[SetupRecord::kChecksum] ^= 1;
  Say(std::vector<uint8_t>(profile.Bytes().begin(), profile.Bytes().end()));
  Say(bad);
  EXPECT_EQ(model.RejectedRecords(), 1);
  EXPECT_EQ(model.Setup().Mode(), SetupRecord::kProfileMode);
  EXPECT_EQ(model.Line().baud, 19200);  // its host port follows entry 0

  Say(Frame(CmdGetSetup));
  setups = OfType(Split(model.TakeOutput()), 1);
  ASSERT_EQ(setups.size(), 1u);
  EXPECT_EQ(setups[0].bytes, std::vector<uint8_t>(profile.Bytes().begin(), profile.Bytes().end()));
  // Outside real-time mode it samples on without sending data.
  const auto packets = Run(3000);
  EXPECT_TRUE(OfType(packets, 8).empty());
  EXPECT_EQ(OfType(packets, 3).back().State(), kStateSampling);
}

TEST_F(LoggerModelTest, StopAndBeginInEveryFormShowInTheNextStatus) {
  Say(Frame(CmdStop));
  EXPECT_EQ(NextStatusState(), kStateStandby);
  EXPECT_TRUE(OfType(Run(2000), 8).empty());

  Say(Frame(CmdBeginSample));
  auto packets = Run(1000);
  EXPECT_EQ(OfType(packets, 3).back().State(), kStateSampling);
  EXPECT_EQ(OfType(packets, 3).back().RunNumber(), 5);
  EXPECT_FALSE(OfType(packets, 8).empty());

  Say(Text("    STOP7E1STOP7E1"));
  EXPECT_EQ(NextStatusState(), kStateStandby);
  Say(Frame(CmdBeginSample));
  Say(Frame(CmdStop));
  Say(Text("    BREAKBREAKBREAK"));
  EXPECT_EQ(NextStatusState(), kStateStandby);

  Say(Text("SLEEP"));
  EXPECT_EQ(NextStatusState(), kStateSleeping);
  Say(Text(" WAKE"));
  EXPECT_EQ(NextStatusState(), kStateStandby);
}

TEST_F(LoggerModelTest, HearingFindsItsWayThroughNoiseBadFramesAndAbandonedRecords) {
  Say({0x00, 0x41, 0x02, 0x53, 0x54, 0xFF, 0x01});
  Say(Frame(CmdStop));
  EXPECT_EQ(model.State(), kStateStandby);

  auto broken = Frame(CmdSetTime, 42);
  broken[10] ^= 0x10;
  Say(broken);
  Say(Frame(CmdBeginSample));
  EXPECT_EQ(model.State(), kStateSampling);
  EXPECT_EQ(model.RejectedRecords(), 1);

  // A setup that never completes holds the frame behind it only until it is given up.
  std::vector<uint8_t> partial{0x01, 0x01};
  partial.resize(12, 0);
  Say(partial);
  Say(Frame(CmdStop));
  EXPECT_EQ(model.State(), kStateSampling);
  model.Advance(1000);
  EXPECT_EQ(model.State(), kStateStandby);

  std::vector<uint16_t> codes;
  for (const HostMessage& m : model.Heard()) codes.push_back(m.code);
  EXPECT_EQ(codes, (std::vector<uint16_t>{CmdStop, CmdBeginSample, CmdStop}));
}

TEST_F(LoggerModelTest, ClockDriftsUntilTheHostSetsIt) {
  model.faults().driftSeconds = 30;
  EXPECT_EQ(OfType(Run(1000), 3).back().LoggerSeconds(), kStart + 1 + 30);
  Say(Frame(CmdSetTime, 1'800'000'000u));
  EXPECT_EQ(model.faults().driftSeconds, 0);
  EXPECT_EQ(OfType(Run(1000), 3).back().LoggerSeconds(), 1'800'000'001);
  model.faults().driftSeconds = -3725;
  EXPECT_EQ(OfType(Run(1000), 3).back().LoggerSeconds(), 1'800'000'002 - 3725);
}

TEST_F(LoggerModelTest, SameSeedSameBytes) {
  LoggerModel::Options options;
  options.seed = 7;
  LoggerModel a(options);
  LoggerModel b(options);
  options.seed = 8;
  LoggerModel c(options);
  for (LoggerModel* m : {&a, &b, &c}) {
    m->faults().noise = 0.3;
    m->Advance(5000);
  }
  const auto bytes = a.TakeOutput();
  EXPECT_EQ(bytes, b.TakeOutput());
  EXPECT_NE(bytes, c.TakeOutput());
}

}  // namespace
}  // namespace ql::sim
