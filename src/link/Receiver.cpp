#include "Receiver.h"

#include <cstring>

#include "serial/PortTable.h"

namespace ql {
namespace {

bool IsReplayState(int recordState) { return recordState == 5 || recordState == 6; }

}  // namespace

Receiver::Receiver(PortTable& ports) : ports_(ports) {}

void Receiver::Compact() {
  if (rxStart_ == 0) return;
  std::memmove(rx_.data(), rx_.data() + rxStart_, static_cast<size_t>(rxCount_));
  rxStart_ = 0;
}

void Receiver::Drop(int count) {
  rxStart_ += count;
  rxCount_ -= count;
  if (rxCount_ == 0) rxStart_ = 0;
}

int Receiver::Input(int recordState) {
  if (IsReplayState(recordState)) {
    rxStart_ = 0;
    rxCount_ = 0;
    if (!hooks_.replay) return 0;
    const int n = hooks_.replay(rx_.data(), kRxBufferSize);
    return n > 0 && n <= kRxBufferSize ? n : 0;
  }
  Compact();
  return ports_.ReadPort(PortTable::kLoggerSlot, rx_.data() + rxCount_, kRxBufferSize - rxCount_);
}

int Receiver::ReceiveStep(int recordState) {
  int result = IsReplayState(recordState) ? kPacket : kIdle;

  const int n = Input(recordState);
  if (n > 0) {
    result = kBytesOnly;
    if (hooks_.bytesRead) hooks_.bytesRead(rx_.data() + rxCount_, n);
    counters_.totalInput += static_cast<uint32_t>(n);
    rxCount_ += n;
  }

  int decision = kNoPacket;
  while (decision == kNoPacket && rxCount_ >= kMinimumPacket) {
    int refusedLength = 0;
    decision = ClassifyPacket(Start(), rxCount_, dataExpected_, refusedLength);
    if (decision > 0) {
      ++counters_.packetsRecognised;
      result = kPacket;
    }
    if (decision >= 1 && decision <= 7) {
      if (hooks_.dispatch) hooks_.dispatch(decision, Start());
      Drop(PacketLength(decision));
    } else if (decision == 8) {
      const int length = dataExpected_;
      if (hooks_.dataRecord) hooks_.dataRecord(Start() + 2, length - 4, recordState);
      if (length - kDataEnvelope > counters_.largestPayloadThisSecond) {
        counters_.largestPayloadThisSecond = length - kDataEnvelope;
      }
      Drop(length);
      dataExpected_ = kDataEnvelope;
    } else if (decision != kWaitForMore) {
      if (decision == kDataLengthRefused && hooks_.lengthRefused) hooks_.lengthRefused(refusedLength);
      Drop(1);
    }
  }
  return result;
}

void Receiver::FlushReceiver() {
  ports_.ReadPort(PortTable::kLoggerSlot, rx_.data(), kRxBufferSize - 1);
  rxStart_ = 0;
  rxCount_ = 0;
  dataExpected_ = kDataEnvelope;
}

}  // namespace ql
