#include "Dispatcher.h"

#include <algorithm>

#include "common/ByteOrder.h"

namespace ql {
namespace {

template <size_t N>
void CopyInto(std::array<uint8_t, N>& record, const uint8_t* packet) {
  std::copy_n(packet, N, record.begin());
}

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

void Dispatcher::DispatchPacket(int type, const uint8_t* packet) {
  switch (type) {
    case 1:
      CopyInto(records_.setup, packet);
      records_.setupReceived = true;
      break;
    case 2:
      CopyInto(records_.shortMessage, packet);
      records_.badFlash = GetI16LE(packet + 2);
      break;
    case 3:
      CopyInto(records_.status, packet);
      records_.statusReceived = true;
      break;
    case 4:
      CopyInto(records_.uploadBlock, packet);
      Call(hooks_.uploadBlock);
      break;
    case 5:
      CopyInto(records_.directoryEntry, packet);
      Call(hooks_.directoryEntry);
      break;
    case 6:
      CopyInto(records_.analogCalibration, packet);
      Call(hooks_.analogCalibration);
      break;
    case 7:
      CopyInto(records_.hardwareConfig, packet);
      Call(hooks_.hardwareSettings);
      records_.hardwareReceived = true;
      break;
    default:
      break;
  }
}

BadFlashChange ShowBadFlash(LoggerRecords& records) {
  if (records.badFlash == records.shownBadFlash) return {};
  records.shownBadFlash = records.badFlash;
  return {true, records.badFlash != 0};
}

}  // namespace ql
