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

  const int allowed = PacketsAllowed(recordState);
  int recognised = 0;
  while (recognised < allowed && rxCount_ >= kMinimumPacket) {
    const int decision = Recognise(recordState);
    if (decision > 0) {
      ++recognised;
      result = kPacket;
    } else if (decision == kWaitForMore) {
      break;
    }
  }
  // A call that ran out of whole packets before its bound has worked off any backlog.
  if (recognised < allowed) catchingUp_ = false;
  return result;
}

int Receiver::PacketsAllowed(int recordState) {
  if (IsReplayState(recordState)) return 1;
  if (rxCount_ + ports_.BytesWaiting(PortTable::kLoggerSlot) > kBacklogBytes) catchingUp_ = true;
  return catchingUp_ ? kBacklogPackets : 1;
}

// One framing decision at the buffer start, acted on: a good packet is counted and
// handed on, then removed; anything rejected loses its first byte so that scanning goes
// on from the next one.
int Receiver::Recognise(int recordState) {
  int refusedLength = 0;
  const int decision = ClassifyPacket(Start(), rxCount_, dataExpected_, refusedLength);
  if (decision > 0) ++counters_.packetsRecognised;
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
  return decision;
}

void Receiver::FlushReceiver() {
  ports_.ReadPort(PortTable::kLoggerSlot, rx_.data(), kRxBufferSize - 1);
  rxStart_ = 0;
  rxCount_ = 0;
  dataExpected_ = kDataEnvelope;
  catchingUp_ = false;
}

}  // namespace ql
