#pragma once

#include <cstdint>
#include <deque>
#include <map>

namespace ql::soak {

// Which data records a host must have accepted, given what the logger sent, and whether it
// did: each record the logger put on the line intact and readable must be accepted exactly
// once and in order, except the one the host drops by rule right after a lost record of the
// same sender (it resynchronises on it). Records sent while the line was settling may go
// either way. Records are judged once they are older than the horizon, so the ledger holds
// only the last moments of a cruise of any length.
class DeliveryLedger {
 public:
  struct Key {
    int sender;
    int sequence;
    uint32_t time;
    bool operator==(const Key&) const = default;
  };
  enum class Fate { Lost, Readable, Uncertain };

  explicit DeliveryLedger(int64_t horizonMs) : horizonMs_(horizonMs) {}

  // A data packet the logger sent at `nowMs` (copies of one record included).
  void Sent(const Key& key, Fate fate, int64_t nowMs);
  // A record the host accepted at `nowMs`.
  void Accepted(const Key& key, int64_t nowMs);
  // Judges what is older than the horizon (everything, with a time far ahead).
  void Settle(int64_t nowMs);

  struct Verdict {
    int64_t sent = 0;        // distinct records
    int64_t expected = 0;    // of them, the ones that had to be accepted
    int64_t accepted = 0;
    int64_t missing = 0;     // expected and not accepted
    int64_t repeated = 0;    // accepted more than once
    int64_t outOfOrder = 0;  // accepted before an earlier record of its sender
    int64_t unexpected = 0;  // accepted although the host's rule drops it
    int64_t foreign = 0;     // accepted but not sent lately: noise that passed every check
    int64_t uncertainAccepted = 0;
    int64_t longestWaitMs = 0;  // from the first copy sent to acceptance
  };
  const Verdict& Judged() const { return verdict_; }

 private:
  enum class Due { Must, May, Never };
  struct Entry {
    Key key;
    bool followsOn;      // its sequence is the one after its sender's last record
    Fate previousFate;   // of its sender's last record
    Fate fate;
    Due due;
    int64_t sentMs;
    int accepted = 0;
  };
  static Due DueOf(const Entry& e);
  struct SenderLine {
    std::deque<Entry> pending;
    int lastSequence = 0xFF;  // the host starts every sender here, so 0 follows on
    Fate lastFate = Fate::Readable;
    int64_t lastAcceptedSerial = -1;
    int64_t serialOfFront = 0;  // sending order of pending.front()
  };
  void Judge(const Entry& e);

  int64_t horizonMs_;
  std::map<int, SenderLine> senders_;
  Verdict verdict_;
};

}  // namespace ql::soak
