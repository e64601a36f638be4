#include "HostState.h"

namespace ql {

HostState::HostState(SerialDeviceFactory deviceFactory, Clock& clockSource, Operator& person)
    : clock(clockSource), op(person), ports(std::move(deviceFactory), person), receiver(ports) {
  WireReceiver();
}

void HostState::WireReceiver() {
  Receiver::Hooks& hooks = receiver.hooks();
  hooks.bytesRead = [this](const uint8_t* bytes, int count) {
    if (display.ShowsRawLoggerData()) {
      display.rawLoggerBytes.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    }
  };
  // The refused length shows where unit 1's last gap is shown.
  hooks.lengthRefused = [this](int length) { senders.gap[1] = static_cast<uint32_t>(length); };
}

}  // namespace ql
