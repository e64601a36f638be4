#include "HostInput.h"

#include <array>
#include <cstring>

#include "common/ByteOrder.h"
#include "serial/SetupChecksum.h"

namespace ql::sim {
namespace {

// Binary records the host sends: the type byte twice, then a fixed length.
int RecordLength(uint8_t type) {
  switch (type) {
    case 0x01: return 192;  // setup
    case 0x02: return 12;   // command frame
    case 0x06: return 44;   // analog calibration
    case 0x07: return 58;   // hardware configuration
    case 0x0A: return 24;   // port test
    default: return 0;
  }
}

constexpr std::array<const char*, 4> kWords = {"STOP7E1", "BREAK", "WAKE", "SLEEP"};

}  // namespace

void HostInput::Feed(const uint8_t* bytes, int count, int64_t nowMs) {
  if (count <= 0) return;
  if (buffer_.empty()) headSinceMs_ = nowMs;
  buffer_.insert(buffer_.end(), bytes, bytes + count);
  if (buffer_.size() > kCapacity) Consume(buffer_.size() - kCapacity, nowMs);
}

std::vector<HostMessage> HostInput::Take(int64_t nowMs) {
  std::vector<HostMessage> messages;
  while (!buffer_.empty()) {
    HostMessage message;
    size_t length = 1;
    const Verdict verdict = Examine(message, length);
    if (verdict == Verdict::Complete) {
      messages.push_back(std::move(message));
      Consume(length, nowMs);
    } else if (verdict == Verdict::Drop) {
      Consume(1, nowMs);
    } else if (nowMs - headSinceMs_ > PatienceMs(length)) {
      Consume(1, nowMs);  // a start that never completed
    } else {
      break;
    }
  }
  return messages;
}

HostInput::Verdict HostInput::Examine(HostMessage& message, size_t& length) {
  if (buffer_.size() >= 2 && buffer_[0] == buffer_[1]) {
    const int recordLength = RecordLength(buffer_[0]);
    if (recordLength > 0) {
      length = static_cast<size_t>(recordLength);
      return ExamineRecord(recordLength, message);
    }
  }
  if (buffer_.size() == 1 && RecordLength(buffer_[0]) > 0) {
    length = 2;
    return Verdict::Wait;
  }
  return ExamineText(message, length);
}

HostInput::Verdict HostInput::ExamineRecord(int length, HostMessage& message) {
  if (buffer_.size() < static_cast<size_t>(length)) return Verdict::Wait;
  std::vector<uint8_t> bytes(buffer_.begin(), buffer_.begin() + length);
  if (setup_checksum(bytes.data(), length - 2) != GetU16LE(&bytes[static_cast<size_t>(length) - 2])) {
    ++rejected_;
    return Verdict::Drop;
  }
  if (bytes[0] == 0x02) {
    message.kind = HostMessage::Kind::Command;
    message.code = GetU16LE(&bytes[2]);
    message.argA = GetU32LE(&bytes[4]);
    message.argB = GetU16LE(&bytes[8]);
  } else {
    message.kind = bytes[0] == 0x01 ? HostMessage::Kind::Setup : HostMessage::Kind::Record;
    message.code = GetU16LE(&bytes[0]);
  }
  message.bytes = std::move(bytes);
  return Verdict::Complete;
}

HostInput::Verdict HostInput::ExamineText(HostMessage& message, size_t& length) {
  bool partial = false;
  for (const char* word : kWords) {
    const size_t n = std::strlen(word);
    size_t same = 0;
    while (same < n && same < buffer_.size() && buffer_[same] == static_cast<uint8_t>(word[same])) ++same;
    if (same == n) {
      message.kind = HostMessage::Kind::Text;
      message.text = word;
      length = n;
      return Verdict::Complete;
    }
    if (same == buffer_.size()) {
      partial = true;
      length = n;
    }
  }
  return partial ? Verdict::Wait : Verdict::Drop;
}

void HostInput::Consume(size_t count, int64_t nowMs) {
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
  headSinceMs_ = nowMs;
}

int HostInput::PatienceMs(size_t length) const {
  // Ten bit times per byte on the wire.
  return kPatienceMs + static_cast<int>(static_cast<int64_t>(length) * 10 * 1000 / baud_);
}

}  // namespace ql::sim
