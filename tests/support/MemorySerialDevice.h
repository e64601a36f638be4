#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
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
  std::string refuseReason = "Device or resource busy";  // the reason a refused open gives
  int opens = 0;
  int closes = 0;
  bool failClose = false;
  bool lost = false;
  bool endOfFile = false;  // once toHost is empty, reads report end of file
  int readChunk = 1 << 30;  // at most this many bytes per read
  std::function<void()> onWrite;  // called as each write arrives
  size_t holdLimit = 0;     // when not 0, the oldest unread bytes beyond it are thrown away
  uint32_t discarded = 0;   // thrown away and not yet reported by the device

  void Push(const std::vector<uint8_t>& bytes) { Push(std::string(bytes.begin(), bytes.end())); }
  void Push(const std::string& bytes) {
    toHost.insert(toHost.end(), bytes.begin(), bytes.end());
    if (holdLimit == 0 || toHost.size() <= holdLimit) return;
    const size_t excess = toHost.size() - holdLimit;
    toHost.erase(toHost.begin(), toHost.begin() + static_cast<long>(excess));
    discarded += static_cast<uint32_t>(excess);
  }
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
  std::string OpenError() const override { return wire_->refuseReason; }
  void ApplyLine(const LineParams& line) override { wire_->lines.push_back(line); }
  int Read(uint8_t* buffer, int maxBytes) override;
  int Waiting() const override { return static_cast<int>(wire_->toHost.size()); }
  uint32_t TakeDiscarded() override { return std::exchange(wire_->discarded, 0u); }
  void Write(const uint8_t* bytes, int count) override;
  bool Close() override;
  bool Lost() const override { return wire_->lost; }

 private:
  std::shared_ptr<MemoryWire> wire_;
};

// A factory whose devices all share one wire.
SerialDeviceFactory MemoryFactory(const std::shared_ptr<MemoryWire>& wire);

}  // namespace ql::test
