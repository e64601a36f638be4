#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "serial/SerialDevice.h"

namespace ql::test {

// What the far end of an in-memory serial port sees and sends: the test pushes bytes
// for the host to read and inspects what the host wrote. Shared by all devices a
// factory makes, so it survives the port being closed and reopened.
struct MemoryWire {
  std::deque<uint8_t> toHost;
  std::vector<uint8_t> fromHost;
  std::vector<std::string> opened;  // device names, in order of opening
  std::vector<LineParams> lines;    // line parameters applied, in order
  std::vector<std::string> refuse;  // device names whose open fails
  int opens = 0;
  int closes = 0;
  bool failClose = false;
  bool lost = false;
  int readChunk = 1 << 30;  // at most this many bytes per read
  std::function<void()> onWrite;  // called as each write arrives

  void Push(const std::vector<uint8_t>& bytes) { toHost.insert(toHost.end(), bytes.begin(), bytes.end()); }
  void Push(const std::string& bytes) { toHost.insert(toHost.end(), bytes.begin(), bytes.end()); }
  std::vector<uint8_t> TakeFromHost() {
    std::vector<uint8_t> out;
    out.swap(fromHost);
    return out;
  }
};

class MemorySerialDevice : public SerialDevice {
 public:
  explicit MemorySerialDevice(std::shared_ptr<MemoryWire> wire) : wire_(std::move(wire)) {}
  bool Open(const std::string& deviceName) override;
  void ApplyLine(const LineParams& line) override { wire_->lines.push_back(line); }
  int Read(uint8_t* buffer, int maxBytes) override;
  void Write(const uint8_t* bytes, int count) override;
  bool Close() override;
  bool Lost() const override { return wire_->lost; }

 private:
  std::shared_ptr<MemoryWire> wire_;
};

// A factory whose devices all share one wire.
SerialDeviceFactory MemoryFactory(const std::shared_ptr<MemoryWire>& wire);

}  // namespace ql::test
