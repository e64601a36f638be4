#include "SimulatedSerialDevice.h"

#include <algorithm>

namespace ql::sim {

SimulatedSerialDevice::SimulatedSerialDevice(std::shared_ptr<LoggerModel> model, SimulatedPortOptions options)
    : model_(std::move(model)), options_(std::move(options)) {}

bool SimulatedSerialDevice::Open(const std::string& deviceName) {
  const auto& refuse = options_.refuse;
  if (open_ || std::find(refuse.begin(), refuse.end(), deviceName) != refuse.end()) return false;
  attached_ = model_ && (options_.loggerDevice.empty() || options_.loggerDevice == deviceName);
  if (attached_ && model_->faults().adapterOut) return false;
  open_ = true;
  pending_.clear();
  // What the logger sent while nobody listened is gone.
  if (attached_) model_->TakeOutput();
  return true;
}

void SimulatedSerialDevice::ApplyLine(const LineParams& line) { hostLine_ = line; }

bool SimulatedSerialDevice::Garbled() const { return attached_ && !model_->Understands(hostLine_); }

int SimulatedSerialDevice::Read(uint8_t* buffer, int maxBytes) {
  if (!open_ || !attached_ || maxBytes <= 0) return 0;
  if (model_->faults().adapterOut) return kEndOfFile;
  std::vector<uint8_t> fresh = model_->TakeOutput();
  if (Garbled()) toHost_.Scramble(fresh.data(), static_cast<int>(fresh.size()));
  pending_.insert(pending_.end(), fresh.begin(), fresh.end());
  const int n = static_cast<int>(std::min<size_t>(static_cast<size_t>(maxBytes), pending_.size()));
  std::copy_n(pending_.begin(), n, buffer);
  pending_.erase(pending_.begin(), pending_.begin() + n);
  return n;
}

void SimulatedSerialDevice::Write(const uint8_t* bytes, int count) {
  if (!open_ || !attached_ || count <= 0) return;
  if (!Garbled()) {
    model_->Receive(bytes, count);
    return;
  }
  std::vector<uint8_t> garbled(bytes, bytes + count);
  fromHost_.Scramble(garbled.data(), count);
  model_->Receive(garbled.data(), count);
}

bool SimulatedSerialDevice::Close() {
  open_ = false;
  attached_ = false;
  pending_.clear();
  return true;
}

SerialDeviceFactory SimulatedFactory(std::shared_ptr<LoggerModel> model, SimulatedPortOptions options) {
  return [model = std::move(model), options = std::move(options)] {
    return std::make_unique<SimulatedSerialDevice>(model, options);
  };
}

}  // namespace ql::sim
