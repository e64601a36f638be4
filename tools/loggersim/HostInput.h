#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "serial/CommandFrame.h"

namespace ql::sim {

// One thing the host said, as the logger understood it.
struct HostMessage {
  enum class Kind { Command, Setup, Record, Text };
  Kind kind = Kind::Command;
  uint16_t code = 0;  // Command: the command code; Record: the record's first word
  uint32_t argA = 0;
  uint16_t argB = 0;
  std::vector<uint8_t> bytes;  // the whole frame or record
  std::string text;            // Text: "STOP7E1", "BREAK", "WAKE" or "SLEEP"
};

// Cuts the bytes from the host into command frames, records and text commands. Bytes
// that start nothing it knows are dropped one at a time, so it finds its way back into
// step after noise; a record with a bad checksum is skipped the same way; a start that
// stays incomplete for too long is given up, so nothing can hold it up for good.
class HostInput {
 public:
  // Longest time a begun record may take beyond its transfer time at the line speed.
  static constexpr int kPatienceMs = 500;
  static constexpr size_t kCapacity = 4096;

  void SetBaud(int baud) { baud_ = baud > 0 ? baud : 9600; }
  void Feed(const uint8_t* bytes, int count, int64_t nowMs);
  // Everything complete at nowMs, in the order it arrived.
  std::vector<HostMessage> Take(int64_t nowMs);

  // Record starts (01 01, 02 02 ...) whose checksum failed.
  int Rejected() const { return rejected_; }
  size_t Buffered() const { return buffer_.size(); }

 private:
  enum class Verdict { Complete, Wait, Drop };
  Verdict Examine(HostMessage& message, size_t& length);
  Verdict ExamineRecord(int length, HostMessage& message);
  Verdict ExamineText(HostMessage& message, size_t& length);
  void Consume(size_t count, int64_t nowMs);
  int PatienceMs(size_t length) const;

  std::deque<uint8_t> buffer_;
  int64_t headSinceMs_ = 0;  // when the first byte held became the head
  int baud_ = 9600;
  int rejected_ = 0;
};

}  // namespace ql::sim
