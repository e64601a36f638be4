#pragma once

#include <QSerialPort>

#include "SerialDevice.h"

namespace ql {

// A PC serial port through Qt. Reads return what the event loop has already buffered;
// writes are queued in order and drained by the event loop, so a long record at a low
// speed never freezes the window.
class QtSerialDevice : public SerialDevice {
 public:
  QtSerialDevice();
  bool Open(const std::string& deviceName) override;
  void ApplyLine(const LineParams& line) override;
  int Read(uint8_t* buffer, int maxBytes) override;
  void Write(const uint8_t* bytes, int count) override;
  bool Close() override;
  bool Lost() const override { return lost_; }

 private:
  QSerialPort port_;
  bool lost_ = false;
};

}  // namespace ql
