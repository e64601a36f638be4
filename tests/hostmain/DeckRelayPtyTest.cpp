#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "cycle/Cycle.h"
#include "cycle/HostState.h"
#include "deck/DeckPorts.h"
#include "loggersim/PtyLink.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"

namespace ql {
namespace {

// A bare pseudo-terminal standing for the device on a deck port: the test reads at
// the far end what the host relays.
class DeckListener {
 public:
  DeckListener() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    std::array<char, 128> name{};
    if (ptsname_r(master_, name.data(), name.size()) != 0) return;
    path_ = name.data();
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  ~DeckListener() {
    if (master_ >= 0) ::close(master_);
  }
  const std::string& Path() const { return path_; }
  void Drain(std::vector<uint8_t>& into) {
    std::array<uint8_t, 4096> buffer{};
    for (ssize_t n; (n = ::read(master_, buffer.data(), buffer.size())) > 0;) into.insert(into.end(), buffer.data(), buffer.data() + n);
  }

 private:
  int master_ = -1;
  std::string path_;
};

TEST(DeckRelayPtyTest, ADeviceThatTakesNothingHoldsAtMostTheQueueLimit) {
  // Nobody reads the far end, as with a deck port far slower than what is relayed to it.
  DeckListener stalled;
  ASSERT_FALSE(stalled.Path().empty());
  QtSerialDevice device;
  ASSERT_TRUE(device.Open(stalled.Path()));
  const std::vector<uint8_t> chunk(1000, 'r');
  for (int i = 0; i < 300; ++i) device.Write(chunk.data(), static_cast<int>(chunk.size()));
  EXPECT_LE(device.Queued(), QtSerialDevice::kQueuedLimit);
  EXPECT_GE(device.DroppedWrites(), 300'000u - static_cast<uint64_t>(QtSerialDevice::kQueuedLimit));

  // Once the device takes bytes again, writing goes on.
  std::vector<uint8_t> received;
  for (int i = 0; i < 200 && device.Queued() > 0; ++i) {
    QCoreApplication::processEvents();
    stalled.Drain(received);
  }
  EXPECT_EQ(device.Queued(), 0);
  const uint64_t dropped = device.DroppedWrites();
  device.Write(chunk.data(), static_cast<int>(chunk.size()));
  EXPECT_EQ(device.DroppedWrites(), dropped);
  device.Close();
}

TEST(DeckRelayPtyTest, LoggerOutputPortRepeatsOnePortByteForByte) {
  sim::LoggerModel::Options options;
  options.dataRate = 8;
  sim::LoggerModel logger(options);
  sim::PtyLink link;
  std::string error;
  ASSERT_TRUE(link.Open(logger.Line(), error)) << error;
  DeckListener deckDevice;
  ASSERT_FALSE(deckDevice.Path().empty());

  test::FakeClock clock;
  test::FakeOperator person;
  HostState host([] { return std::make_unique<QtSerialDevice>(); }, clock, person);
  ComPortMap map;
  map.Parse("COM1=" + link.SlavePath() + "\nCOM2=" + deckDevice.Path() + "\n");
  host.ports.SetComPortMap(map);
  host.ports.InitPortTable();
  host.ports.ConfigurePort(0, 1, 6);

  // Deck port 1 on COM2 repeats port 1 of logger 2.
  DeckPortRow& row = host.deckPorts.Row(1);
  row.function = kDeckLoggerOutput;
  row.comIndex = 2;
  row.lineIndex = 11;
  row.loggerId = options.loggerId;
  row.loggerPort = 1;
  BTLoadDeckClick(host.deckPorts, host.deck, host.ports);
  ASSERT_TRUE(host.ports.IsPortOpen(1)) << (person.boxes.empty() ? "" : person.boxes[0].text);

  // What the relay should carry: port 1's bytes of every record the host accepted.
  std::vector<uint8_t> expected;
  int accepted = 0;
  host.receiver.hooks().dataRecord = [&](uint8_t* record, int length, int state) {
    if (host.consumer.ConsumeDataRecord(record, length, state) != DataRecordConsumer::kNotRecorded) return;
    ++accepted;
    const int port1 = GetI16LE(record + 10);
    expected.insert(expected.end(), record + 28, record + 28 + port1);
  };

  std::vector<uint8_t> relayed;
  for (int round = 0; round < 2000 && accepted < 6; ++round) {
    link.Pump(logger, 2, 25);
    QCoreApplication::processEvents();
    for (int i = 0; i < 5; ++i) Timer10msTimer(host);
    deckDevice.Drain(relayed);
  }
  for (int i = 0; i < 20 && relayed.size() < expected.size(); ++i) {
    QCoreApplication::processEvents();
    usleep(10'000);
    deckDevice.Drain(relayed);
  }
  ASSERT_GE(accepted, 6);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(relayed, expected);
  EXPECT_EQ(host.consumer.deckOutput[1], expected.size());
  host.ports.ClosePort(1);
  host.ports.ClosePort(0);
}

}  // namespace
}  // namespace ql
