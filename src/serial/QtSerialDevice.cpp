#include "QtSerialDevice.h"

namespace ql {
namespace {

// Bytes still queued for the device are given this long to leave before a close.
constexpr int kDrainOnCloseMs = 500;

}  // namespace

QtSerialDevice::QtSerialDevice() {
  QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
    if (e == QSerialPort::ResourceError || e == QSerialPort::PermissionError) lost_ = true;
  });
}

bool QtSerialDevice::Open(const std::string& deviceName) {
  lost_ = false;
  port_.setPortName(QString::fromStdString(deviceName));
  if (!port_.open(QIODevice::ReadWrite)) {
    lost_ = false;
    return false;
  }
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
  // Take in whatever the driver holds even when the event loop has not run since.
  if (port_.bytesAvailable() == 0) port_.waitForReadyRead(0);
  const qint64 n = port_.read(reinterpret_cast<char*>(buffer), maxBytes);
  return n > 0 ? static_cast<int>(n) : 0;
}

void QtSerialDevice::Write(const uint8_t* bytes, int count) {
  if (port_.isOpen()) port_.write(reinterpret_cast<const char*>(bytes), count);
}

bool QtSerialDevice::Close() {
  if (!port_.isOpen()) return true;
  if (!lost_ && port_.bytesToWrite() > 0) port_.waitForBytesWritten(kDrainOnCloseMs);
  port_.close();
  return true;
}

}  // namespace ql
