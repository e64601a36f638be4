#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "LineScrambler.h"
#include "LoggerModel.h"
#include "serial/SerialDevice.h"

namespace ql::sim {

// Which device names reach the simulated logger.
struct SimulatedPortOptions {
  // When set, only this device name is wired to the logger; other names open as ports
  // with nothing attached (deck ports in an end-to-end test).
  std::string loggerDevice;
  // Names whose open fails, as for a port that does not exist or is taken.
  std::vector<std::string> refuse;
};

// A serial device whose far end is a LoggerModel, for the host in tests. Reading hands
// over what the model has sent (it does not move the model's time: the test calls
// Advance); writing feeds the model. When the host's line differs from the logger's, or
// the wrong-speed fault is on, both directions arrive garbled.
class SimulatedSerialDevice : public SerialDevice {
 public:
  SimulatedSerialDevice(std::shared_ptr<LoggerModel> model, SimulatedPortOptions options = {});

  bool Open(const std::string& deviceName) override;
  void ApplyLine(const LineParams& line) override;
  int Read(uint8_t* buffer, int maxBytes) override;
  void Write(const uint8_t* bytes, int count) override;
  bool Close() override;

  bool IsOpen() const { return open_; }
  const LineParams& HostLine() const { return hostLine_; }
  bool Garbled() const;

 private:
  std::shared_ptr<LoggerModel> model_;
  SimulatedPortOptions options_;
  bool open_ = false;
  bool attached_ = false;
  LineParams hostLine_{};
  std::deque<uint8_t> pending_;
  LineScrambler toHost_;
  LineScrambler fromHost_;
};

// A factory whose devices all talk to the one model.
SerialDeviceFactory SimulatedFactory(std::shared_ptr<LoggerModel> model, SimulatedPortOptions options = {});

}  // namespace ql::sim
