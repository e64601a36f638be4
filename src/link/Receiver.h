#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "PacketFraming.h"

namespace ql {

class PortTable;

// Counters of the logger link; they count from program start and are never reset.
struct LinkCounters {
  uint32_t totalInput = 0;
  uint32_t packetsRecognised = 0;
  int largestPayloadThisSecond = 0;
};

// Cuts the logger port's byte stream into checked packets, resynchronising byte by byte
// over noise. While the host keeps up it recognises one packet per call; once a backlog
// has built up it recognises several per call until the backlog is worked off.
class Receiver {
 public:
  struct Hooks {
    // Bytes just read (or replayed), before framing: raw recording and raw display.
    std::function<void(const uint8_t* bytes, int count)> bytesRead;
    // A good packet of type 1..7, at its full fixed length.
    std::function<void(int type, const uint8_t* packet)> dispatch;
    // A good data packet: the record from offset 2 on, N + 32 bytes, converted in place.
    std::function<void(uint8_t* record, int length, int recordState)> dataRecord;
    // A data packet announced a payload the buffer cannot hold.
    std::function<void(int length)> lengthRefused;
    // Replay source: writes at most one whole rebuilt packet at buffer, returns its size.
    std::function<int(uint8_t* buffer, int capacity)> replay;
  };

  // What a call of ReceiveStep did.
  enum Result : int { kIdle = 0, kBytesOnly = 1, kPacket = 2 };

  // More than this many bytes waiting in the receiver and the port together is a
  // backlog; a call then recognises up to kBacklogPackets packets, each handed on in
  // full before the next is looked at.
  static constexpr int kBacklogBytes = 1024;
  static constexpr int kBacklogPackets = 64;

  explicit Receiver(PortTable& ports);

  Hooks& hooks() { return hooks_; }

  int ReceiveStep(int recordState);
  void FlushReceiver();
  // A data length held from a half-received packet no longer applies: replay begins or
  // ends, and what follows does not continue that packet.
  void ForgetDataLength() { dataExpected_ = kDataEnvelope; }

  const LinkCounters& Counters() const { return counters_; }
  void ResetLargestPayload() { counters_.largestPayloadThisSecond = 0; }
  int BufferedCount() const { return rxCount_; }
  int DataExpected() const { return dataExpected_; }
  bool CatchingUp() const { return catchingUp_; }

 private:
  uint8_t* Start() { return rx_.data() + rxStart_; }
  void Compact();
  void Drop(int count);
  int Input(int recordState);
  int PacketsAllowed(int recordState);
  int Recognise(int recordState);

  PortTable& ports_;
  Hooks hooks_;
  std::array<uint8_t, kRxBufferSize> rx_{};
  // Valid bytes are rx_[rxStart_ .. rxStart_ + rxCount_); dropping from the front only
  // moves rxStart_, and the bytes move down once per call, before the next read.
  int rxStart_ = 0;
  int rxCount_ = 0;
  int dataExpected_ = kDataEnvelope;
  bool catchingUp_ = false;  // a backlog is being worked off
  LinkCounters counters_;
};

}  // namespace ql
