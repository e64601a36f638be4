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
  // The most waiting to go out. A deck port set slower than the data relayed to it would
  // otherwise hold more and more for as long as the cruise lasts; beyond this, what is
  // written is dropped (the device was that far behind anyway) and counted.
  static constexpr qint64 kQueuedLimit = 64 * 1024;

  QtSerialDevice();
  bool Open(const std::string& deviceName) override;
  std::string OpenError() const override { return openError_; }
  void ApplyLine(const LineParams& line) override;
  int Read(uint8_t* buffer, int maxBytes) override;
  int Waiting() const override;
  uint32_t TakeDiscarded() override;
  void Write(const uint8_t* bytes, int count) override;
  bool Close() override;
  bool Lost() const override { return lost_; }

  qint64 Queued() const { return port_.bytesToWrite(); }
  uint64_t DroppedWrites() const { return droppedWrites_; }

 private:
  // What a look at the driver finds without waiting: poll's revents, -1 where the
  // platform cannot tell.
  short PollDriver() const;
  // Nothing to read and no hang-up: certainly nothing for this tick.
  bool DriverQuiet() const;
  bool HungUp() const;
  void DiscardOldest();

  QSerialPort port_;
  bool lost_ = false;
  std::string openError_;
  uint32_t discarded_ = 0;
  uint64_t droppedWrites_ = 0;
};

}  // namespace ql
