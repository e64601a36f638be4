#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace ql {

// Line parameters of a serial port: always one stop bit, no flow control and no
// character translation.
struct LineParams {
  int baud = 9600;
  char parity = 'N';  // 'N' none, 'E' even, 'O' odd
  int dataBits = 8;
  int stopBits = 1;
  bool operator==(const LineParams&) const = default;
};

// One PC serial device as the port table uses it: opened exclusively by name, reads
// that never wait, writes that keep their order.
class SerialDevice {
 public:
  // What Read returns once the far end has gone for good (the device reads end of file).
  static constexpr int kEndOfFile = -1;

  virtual ~SerialDevice() = default;
  virtual bool Open(const std::string& deviceName) = 0;
  // Why the last Open failed, in the system's words; empty when not known.
  virtual std::string OpenError() const { return {}; }
  virtual void ApplyLine(const LineParams& line) = 0;
  // Returns the number of bytes copied into buffer (0 when nothing waits), or
  // kEndOfFile.
  virtual int Read(uint8_t* buffer, int maxBytes) = 0;
  // Bytes received and held for the host that no read has taken yet.
  virtual int Waiting() const { return 0; }
  // Bytes the device had to throw away, unread, since the last call: it holds only so
  // much for a host that has fallen behind.
  virtual uint32_t TakeDiscarded() { return 0; }
  virtual void Write(const uint8_t* bytes, int count) = 0;
  virtual bool Close() = 0;
  // True once the device has gone away under an open port (a USB adapter pulled out).
  virtual bool Lost() const { return false; }
};

using SerialDeviceFactory = std::function<std::unique_ptr<SerialDevice>()>;

}  // namespace ql
