#include "MemorySerialDevice.h"

#include <algorithm>

namespace ql::test {

bool MemorySerialDevice::Open(const std::string& deviceName) {
  wire_->opened.push_back(deviceName);
  if (std::find(wire_->refuse.begin(), wire_->refuse.end(), deviceName) != wire_->refuse.end()) return false;
  ++wire_->opens;
  return true;
}

int MemorySerialDevice::Read(uint8_t* buffer, int maxBytes) {
  if (wire_->endOfFile && wire_->toHost.empty()) return kEndOfFile;
  const int n = std::min({maxBytes, wire_->readChunk, static_cast<int>(wire_->toHost.size())});
  for (int i = 0; i < n; ++i) {
    buffer[i] = wire_->toHost.front();
    wire_->toHost.pop_front();
  }
  return n;
}

void MemorySerialDevice::Write(const uint8_t* bytes, int count) {
  wire_->fromHost.insert(wire_->fromHost.end(), bytes, bytes + count);
  if (wire_->onWrite) wire_->onWrite();
}

bool MemorySerialDevice::Close() {
  ++wire_->closes;
  return !wire_->failClose;
}

SerialDeviceFactory MemoryFactory(const std::shared_ptr<MemoryWire>& wire) {
  return [wire] { return std::make_unique<MemorySerialDevice>(wire); };
}

}  // namespace ql::test
