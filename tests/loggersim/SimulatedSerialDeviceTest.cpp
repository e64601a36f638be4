#include "loggersim/SimulatedSerialDevice.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "SimStream.h"
#include "link/Receiver.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"

namespace ql::sim {
namespace {

using test::Frame;

constexpr int kLine9600 = 6;
constexpr int kLine19200 = 8;

// The host's own port table and receiver, with the simulated logger on COM1.
struct SimulatedSerialDeviceTest : ::testing::Test {
  std::shared_ptr<LoggerModel> model = std::make_shared<LoggerModel>();
  ql::test::FakeOperator person;
  PortTable ports{SimulatedFactory(model, {"/dev/logger", {"/dev/missing"}}), person};
  Receiver receiver{ports};
  std::vector<int> types;
  std::vector<int> sequences;

  void SetUp() override {
    ComPortMap map;
    map.Parse("COM1=/dev/logger\nCOM2=/dev/deck\nCOM3=/dev/missing\n");
    ports.SetComPortMap(map);
    ports.InitPortTable();
    receiver.hooks().dispatch = [this](int type, const uint8_t*) { types.push_back(type); };
    receiver.hooks().dataRecord = [this](uint8_t* record, int, int) {
      types.push_back(8);
      sequences.push_back(record[3]);
    };
  }

  // One simulated second in 10 ms ticks, as the host's fast timer reads the port; then
  // the ticks that take in what arrived together with the last one.
  void Second() {
    for (int tick = 0; tick < 100; ++tick) {
      model->Advance(10);
      receiver.ReceiveStep(0);
    }
    while (receiver.ReceiveStep(0) == Receiver::kPacket) {
    }
  }
  int Count(int type) const { return static_cast<int>(std::count(types.begin(), types.end(), type)); }
  void Send(const std::vector<uint8_t>& bytes) {
    ports.WritePort(0, bytes.data(), static_cast<int>(bytes.size()));
  }
};

TEST_F(SimulatedSerialDeviceTest, HostReceiverRecognisesStatusDataAndAnswers) {
  ASSERT_EQ(ports.ConfigurePort(0, 1, kLine9600), kLine9600);
  for (int s = 0; s < 3; ++s) Second();
  EXPECT_EQ(Count(3), 3);
  EXPECT_EQ(sequences, (std::vector<int>{0, 1, 2, 3, 4, 5}));

  Send(Frame(CmdGetSetup));
  EXPECT_EQ(receiver.ReceiveStep(0), Receiver::kPacket);
  EXPECT_EQ(Count(1), 1);
  Send(Frame(CmdStop));
  EXPECT_EQ(model->State(), kStateStandby);
}

TEST_F(SimulatedSerialDeviceTest, MismatchedLineGarblesBothWaysUntilTheHostMatches) {
  ports.ConfigurePort(0, 1, kLine19200);
  for (int s = 0; s < 3; ++s) Second();
  EXPECT_GT(receiver.Counters().totalInput, 500u);
  EXPECT_EQ(receiver.Counters().packetsRecognised, 0u);
  Send(Frame(CmdStop));
  EXPECT_EQ(model->State(), kStateSampling);
  EXPECT_TRUE(model->Heard().empty());

  ports.ConfigurePort(0, 1, kLine9600);
  receiver.FlushReceiver();
  Second();
  EXPECT_EQ(Count(3), 1);

  // At the right setting, a logger at the wrong speed is just as unreadable.
  model->faults().wrongSpeed = true;
  const uint32_t before = receiver.Counters().packetsRecognised;
  Second();
  Second();
  EXPECT_EQ(receiver.Counters().packetsRecognised, before);
}

TEST_F(SimulatedSerialDeviceTest, OnlyTheLoggersDeviceReachesTheLogger) {
  ports.ConfigurePort(0, 3, kLine9600);
  EXPECT_FALSE(ports.IsPortOpen(0));
  ASSERT_EQ(person.boxes.size(), 1u);

  ports.ConfigurePort(1, 2, kLine9600);  // a deck port hears nothing from the logger
  model->Advance(2000);
  uint8_t buffer[512];
  EXPECT_EQ(ports.ReadPort(1, buffer, sizeof buffer), 0);

  // Opening the logger's port drops what it sent while nobody listened.
  ports.ConfigurePort(0, 1, kLine9600);
  EXPECT_EQ(ports.ReadPort(0, buffer, sizeof buffer), 0);
}

}  // namespace
}  // namespace ql::sim
