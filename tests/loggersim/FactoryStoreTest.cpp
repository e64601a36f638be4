#include "loggersim/FactoryStore.h"

#include <gtest/gtest.h>

#include "SimStream.h"
#include "loggersim/LoggerModel.h"
#include "serial/CommandFrame.h"

namespace ql::sim {
namespace {

using test::Frame;
using test::OfType;
using test::Split;

struct FactoryStoreTest : ::testing::Test {
  LoggerModel model{[] {
    LoggerModel::Options o;
    o.meterType = 1;  // built into a bx5Plus
    o.sampling = false;
    return o;
  }()};

  void Say(const std::vector<uint8_t>& bytes) { model.Receive(bytes.data(), static_cast<int>(bytes.size())); }
  std::vector<test::Packet> Ask(uint16_t code, int type) {
    Say(Frame(code));
    return OfType(Split(model.TakeOutput()), type);
  }
};

TEST_F(FactoryStoreTest, AnswersBothRequestsWithTheRecordsItHolds) {
  const auto hardware = Ask(CmdGetHardware, 7);
  ASSERT_EQ(hardware.size(), 1u);
  ASSERT_EQ(hardware[0].bytes.size(), 58u);
  EXPECT_EQ(GetI16LE(&hardware[0].bytes[4]), 1);
  EXPECT_EQ(GetI16LE(&hardware[0].bytes[2]), model.factory().SerialNumber());

  const auto analog = Ask(CmdGetAnalogCal, 6);
  ASSERT_EQ(analog.size(), 1u);
  ASSERT_EQ(analog[0].bytes.size(), 44u);
  EXPECT_EQ(GetI16LE(&analog[0].bytes[8]), model.factory().Offset(0));
  EXPECT_EQ(GetI16LE(&analog[0].bytes[38]), model.factory().Scale(7));

  model.Advance(1000);
  const auto status = OfType(Split(model.TakeOutput()), 3);
  ASSERT_EQ(status.size(), 1u);
  EXPECT_EQ(GetI16LE(&status[0].bytes[18]), 1);  // the meter type it holds
}

TEST_F(FactoryStoreTest, TakesWholeRecordsWithAGoodChecksumOnly) {
  std::vector<uint8_t> hardware = Ask(CmdGetHardware, 7)[0].bytes;
  PutU16LE(&hardware[2], 321);
  PutU16LE(&hardware[4], 2);
  hardware[57] ^= 0x01;  // checksum no longer matches
  Say(hardware);
  EXPECT_EQ(model.factory().SerialNumber(), 117);
  EXPECT_EQ(model.RejectedRecords(), 1);

  SealRecord(hardware.data(), 58);
  Say(hardware);
  EXPECT_EQ(model.factory().SerialNumber(), 321);
  EXPECT_EQ(model.factory().MeterType(), 2);
  EXPECT_EQ(model.Status().meterType, 2);

  std::vector<uint8_t> analog = Ask(CmdGetAnalogCal, 6)[0].bytes;
  PutU16LE(&analog[24 + 6], 1);
  SealRecord(analog.data(), 44);
  Say(analog);
  EXPECT_EQ(model.factory().Scale(3), 1);
  EXPECT_EQ(model.factory().RecordsTaken(), 2);

  // Factory defaults bring back the records, not the meter type.
  Say(Frame(CmdLoadDefaults));
  EXPECT_EQ(model.factory().SerialNumber(), 117);
  EXPECT_NE(model.factory().Scale(3), 1);
  EXPECT_EQ(model.factory().MeterType(), 2);
}

}  // namespace
}  // namespace ql::sim
