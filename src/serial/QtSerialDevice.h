#pragma once

#include <QSerialPort>

#include "SerialDevice.h"

namespace ql {

// A PC serial port through Qt. Reads return what the event loop has already buffered;
// writes are queued in order and drained by the event loop, so a long record at a low
// speed never freezes the window.
class QtSerialDevice : public SerialDevice {
 public:
  // The most the port holds for the host: several seconds of the logger link at its
  // top speed. Memory stays bounded however far behind the host falls.
  static constexpr qint64 kHeldLimit = 64 * 1024;
  // When the limit is reached, all but this many of the newest bytes are thrown away.
  static constexpr qint64 kKeptOnOverflow = 4096;

  QtSerialDevice();
  bool Open(const std::string& deviceName) override;
  void ApplyLine(const LineParams& line) override;
  int Read(uint8_t* buffer, int maxBytes) override;
  int Waiting() const override;
  uint32_t TakeDiscarded() override;
  void Write(const uint8_t* bytes, int count) override;
  bool Close() override;
  bool Lost() const override { return lost_; }

 private:
  bool HungUp() const;
  void DiscardOldest();

  QSerialPort port_;
  bool lost_ = false;
  uint32_t discarded_ = 0;
};

}  // namespace ql
