#include "QtSerialDevice.h"

#if defined(Q_OS_UNIX)
#include <poll.h>
#endif

namespace ql {
namespace {

// Bytes still queued for the device are given this long to leave before a close.
constexpr int kDrainOnCloseMs = 500;

}  // namespace

QtSerialDevice::QtSerialDevice() {
  QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
    if (e == QSerialPort::ResourceError || e == QSerialPort::PermissionError) lost_ = true;
  });
  port_.setReadBufferSize(kHeldLimit);
}

bool QtSerialDevice::Open(const std::string& deviceName) {
  lost_ = false;
  port_.setPortName(QString::fromStdString(deviceName));
  if (!port_.open(QIODevice::ReadWrite)) {
    lost_ = false;
    openError_ = port_.errorString().toStdString();
    return false;
  }
  openError_.clear();
  port_.setFlowControl(QSerialPort::NoFlowControl);
  return true;
}

void QtSerialDevice::ApplyLine(const LineParams& line) {
  port_.setBaudRate(line.baud);
  port_.setDataBits(line.dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8);
  port_.setParity(line.parity == 'E'   ? QSerialPort::EvenParity
                  : line.parity == 'O' ? QSerialPort::OddParity
                                       : QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
}

int QtSerialDevice::Read(uint8_t* buffer, int maxBytes) {
  if (!port_.isOpen()) return 0;
  if (port_.bytesAvailable() == 0) {
    // Most ticks on a quiet line find nothing: one look at the driver settles that.
    if (DriverQuiet()) return 0;
    // Take in whatever the driver holds even when the event loop has not run since.
    if (!port_.waitForReadyRead(0)) {
      if (!HungUp()) return 0;
      lost_ = true;  // nothing queued for it will ever leave: close without waiting
      return kEndOfFile;
    }
  }
  DiscardOldest();
  const qint64 n = port_.read(reinterpret_cast<char*>(buffer), maxBytes);
  return n > 0 ? static_cast<int>(n) : 0;
}

int QtSerialDevice::Waiting() const { return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0; }

uint32_t QtSerialDevice::TakeDiscarded() {
  const uint32_t n = discarded_;
  discarded_ = 0;
  return n;
}

short QtSerialDevice::PollDriver() const {
#if defined(Q_OS_UNIX)
  pollfd fd{static_cast<int>(port_.handle()), POLLIN, 0};
  return ::poll(&fd, 1, 0) == 1 ? fd.revents : 0;
#else
  return -1;  // not known here
#endif
}

bool QtSerialDevice::DriverQuiet() const { return PollDriver() == 0; }

bool QtSerialDevice::HungUp() const {
#if defined(Q_OS_UNIX)
  // A tty whose far end has gone (an adapter pulled out, the other side of a
  // pseudo-terminal closed) polls as hung up and reads end of file for ever.
  return (PollDriver() & POLLHUP) != 0;
#else
  // Elsewhere a vanished device reports a resource error instead.
  return false;
#endif
}

void QtSerialDevice::DiscardOldest() {
  // At its limit the port stops taking bytes from the driver, which would then lose
  // them unseen. The host is seconds behind by then: skip to the newest bytes, count
  // what is skipped, and let the port take from the driver again.
  const qint64 held = port_.bytesAvailable();
  if (held < kHeldLimit) return;
  discarded_ += static_cast<uint32_t>(port_.skip(held - kKeptOnOverflow));
}

void QtSerialDevice::Write(const uint8_t* bytes, int count) {
  if (!port_.isOpen()) return;
  if (port_.bytesToWrite() + count > kQueuedLimit) {
    droppedWrites_ += static_cast<uint64_t>(count);
    return;
  }
  port_.write(reinterpret_cast<const char*>(bytes), count);
}

bool QtSerialDevice::Close() {
  if (!port_.isOpen()) return true;
  if (!lost_ && port_.bytesToWrite() > 0) port_.waitForBytesWritten(kDrainOnCloseMs);
  port_.close();
  return true;
}

}  // namespace ql
