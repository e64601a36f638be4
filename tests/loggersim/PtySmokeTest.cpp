#include "loggersim/PtyLink.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <QCoreApplication>
#include <memory>
#include <vector>

#include "SimStream.h"
#include "link/Receiver.h"
#include "serial/PortTable.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeOperator.h"

namespace ql::sim {
namespace {

// The host's Qt serial port on a real pseudo-terminal with the simulated logger behind it.
struct PtySmokeTest : ::testing::Test {
  static void SetUpTestSuite() {
    if (QCoreApplication::instance() == nullptr) app = std::make_unique<QCoreApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app.reset(); }

  static inline int argc = 1;
  static inline char name[] = "test_loggersim";
  static inline char* argv[] = {name, nullptr};
  static inline std::unique_ptr<QCoreApplication> app;
};

TEST_F(PtySmokeTest, HostRecognisesStatusOverAPseudoTerminal) {
  LoggerModel model;
  PtyLink link;
  std::string error;
  ASSERT_TRUE(link.Open(model.Line(), error)) << error;

  ql::test::FakeOperator person;
  PortTable ports([] { return std::make_unique<QtSerialDevice>(); }, person);
  ComPortMap map;
  map.Parse("COM1=" + link.SlavePath() + "\n");
  ports.SetComPortMap(map);
  ports.InitPortTable();
  ASSERT_EQ(ports.ConfigurePort(0, 1, 6), 6);
  ASSERT_TRUE(ports.IsPortOpen(0)) << (person.boxes.empty() ? "" : person.boxes[0].text);

  Receiver receiver(ports);
  int statuses = 0;
  receiver.hooks().dispatch = [&](int type, const uint8_t*) { statuses += type == 3 ? 1 : 0; };
  // A quarter of a simulated second per round; the short poll only lets the bytes cross.
  for (int round = 0; round < 400 && statuses < 2; ++round) {
    link.Pump(model, 2, 250);
    QCoreApplication::processEvents();
    receiver.ReceiveStep(0);
  }
  EXPECT_GE(statuses, 2);
  EXPECT_TRUE(model.Understands(link.HostLine()));

  const auto stop = test::Frame(CmdStop);
  ports.WritePort(0, stop.data(), static_cast<int>(stop.size()));
  for (int round = 0; round < 100 && model.State() != kStateStandby; ++round) {
    QCoreApplication::processEvents();
    link.Pump(model, 2, 0);
  }
  EXPECT_EQ(model.State(), kStateStandby);
  ports.ClosePort(0);
}

// The simulated logger killed under an open port: the host's end reads end of file.
TEST_F(PtySmokeTest, VanishedFarEndClosesTheSlotOnceAndChoosingThePortAgainOpensItAfresh) {
  LoggerModel model;
  auto link = std::make_unique<PtyLink>();
  std::string error;
  ASSERT_TRUE(link->Open(model.Line(), error)) << error;
  ql::test::FakeOperator person;
  PortTable ports([] { return std::make_unique<QtSerialDevice>(); }, person);
  ComPortMap map;
  map.Parse("COM1=" + link->SlavePath() + "\n");
  ports.SetComPortMap(map);
  ports.InitPortTable();
  ports.ConfigurePort(0, 1, 6);
  Receiver receiver(ports);
  int statuses = 0;
  receiver.hooks().dispatch = [&](int type, const uint8_t*) { statuses += type == 3 ? 1 : 0; };
  for (int round = 0; round < 400 && statuses < 1; ++round) {
    link->Pump(model, 2, 250);
    QCoreApplication::processEvents();
    receiver.ReceiveStep(0);
  }
  ASSERT_GE(statuses, 1);

  link.reset();
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::processEvents();
    receiver.ReceiveStep(0);
  }
  EXPECT_FALSE(ports.IsPortOpen(0));
  EXPECT_TRUE(person.boxes.empty());

  // A new simulated logger behind the same COM number: choosing the port opens it.
  PtyLink again;
  ASSERT_TRUE(again.Open(model.Line(), error)) << error;
  map.Parse("COM1=" + again.SlavePath() + "\n");
  ports.SetComPortMap(map);
  ASSERT_EQ(ports.ConfigurePort(0, 1, 6), 6);
  ASSERT_TRUE(ports.IsPortOpen(0));
  statuses = 0;
  for (int round = 0; round < 400 && statuses < 1; ++round) {
    again.Pump(model, 2, 250);
    QCoreApplication::processEvents();
    receiver.ReceiveStep(0);
  }
  EXPECT_GE(statuses, 1);
  ports.ClosePort(0);
}

// A host that stops reading altogether: the port keeps a bounded amount and counts what
// it throws away.
TEST_F(PtySmokeTest, PortHoldsABoundedBacklogAndCountsWhatItDrops) {
  LoggerModel model;
  PtyLink link;
  std::string error;
  ASSERT_TRUE(link.Open(model.Line(), error)) << error;
  ql::test::FakeOperator person;
  PortTable ports([] { return std::make_unique<QtSerialDevice>(); }, person);
  ComPortMap map;
  map.Parse("COM1=" + link.SlavePath() + "\n");
  ports.SetComPortMap(map);
  ports.InitPortTable();
  ports.ConfigurePort(0, 1, 6);

  // The host stalls while the line keeps coming: the port fills to its limit and no
  // further, and the driver refuses the rest.
  const std::vector<uint8_t> chunk(1024, 0x55);
  int64_t written = 0;
  for (int refused = 0, round = 0; refused < 50 && round < 5000; ++round) {
    const ssize_t n = ::write(link.MasterFd(), chunk.data(), chunk.size());
    refused = n > 0 ? 0 : refused + 1;
    written += n > 0 ? n : 0;
    QCoreApplication::processEvents();
    ASSERT_LE(ports.BytesWaiting(0), QtSerialDevice::kHeldLimit);
  }
  EXPECT_EQ(ports.BytesWaiting(0), QtSerialDevice::kHeldLimit);

  // Reading again, the host jumps to the newest bytes; what it skipped is counted.
  std::vector<uint8_t> buffer(4096);
  int64_t read = 0;
  for (int idle = 0; idle < 50;) {
    QCoreApplication::processEvents();
    const int n = ports.ReadPort(0, buffer.data(), static_cast<int>(buffer.size()));
    read += n;
    idle = n == 0 ? idle + 1 : 0;
  }
  EXPECT_GT(ports.BytesLost(0), 0u);
  EXPECT_EQ(read + static_cast<int64_t>(ports.BytesLost(0)), written);
  ports.ClosePort(0);
}

TEST_F(PtySmokeTest, OutputIsPacedAtTheLinesSpeed) {
  LoggerModel::Options options;
  options.dataRate = 200;  // far more than 9600 baud carries
  LoggerModel model(options);
  PtyLink link;
  std::string error;
  ASSERT_TRUE(link.Open(model.Line(), error)) << error;
  for (int ms = 0; ms < 2000; ms += 10) link.Service(model, 10);
  // Two seconds at 960 characters a second, plus the burst allowance.
  EXPECT_LE(link.BytesToHost(), 2 * 960 + 240);
  EXPECT_GE(link.BytesToHost(), 2 * 960 - 100);
}

}  // namespace
}  // namespace ql::sim
