#include "DeliveryLedger.h"

#include <cstddef>

namespace ql::soak {

DeliveryLedger::Due DeliveryLedger::DueOf(const Entry& e) {
  if (!e.followsOn || e.fate == Fate::Lost || e.previousFate == Fate::Lost) return Due::Never;
  return e.fate == Fate::Readable && e.previousFate == Fate::Readable ? Due::Must : Due::May;
}

void DeliveryLedger::Sent(const Key& key, Fate fate, int64_t nowMs) {
  SenderLine& line = senders_[key.sender];
  if (!line.pending.empty() && line.pending.back().key == key) {
    // A repeated copy: the record is as readable as its best copy.
    Entry& e = line.pending.back();
    if (fate == Fate::Lost || e.fate == Fate::Readable) return;
    if (e.due == Due::Must) --verdict_.expected;
    e.fate = fate;
    e.due = DueOf(e);
    if (e.due == Due::Must) ++verdict_.expected;
    line.lastFate = fate;
    return;
  }
  Entry e{key, key.sequence == (line.lastSequence + 1) % 256, line.lastFate, fate, Due::Never, nowMs};
  e.due = DueOf(e);
  line.pending.push_back(e);
  line.lastSequence = key.sequence;
  line.lastFate = fate;
  ++verdict_.sent;
  if (e.due == Due::Must) ++verdict_.expected;
}

void DeliveryLedger::Accepted(const Key& key, int64_t nowMs) {
  ++verdict_.accepted;
  SenderLine& line = senders_[key.sender];
  for (std::size_t i = 0; i < line.pending.size(); ++i) {
    Entry& e = line.pending[i];
    if (!(e.key == key)) continue;
    ++e.accepted;
    if (nowMs - e.sentMs > verdict_.longestWaitMs) verdict_.longestWaitMs = nowMs - e.sentMs;
    const int64_t serial = line.serialOfFront + static_cast<int64_t>(i);
    if (serial < line.lastAcceptedSerial) ++verdict_.outOfOrder;
    line.lastAcceptedSerial = serial;
    return;
  }
  ++verdict_.foreign;
}

void DeliveryLedger::Judge(const Entry& e) {
  if (e.accepted > 1) verdict_.repeated += e.accepted - 1;
  switch (e.due) {
    case Due::Must:
      if (e.accepted == 0) ++verdict_.missing;
      break;
    case Due::May:
      if (e.accepted > 0) ++verdict_.uncertainAccepted;
      break;
    case Due::Never:
      if (e.accepted > 0) ++verdict_.unexpected;
      break;
  }
}

void DeliveryLedger::Settle(int64_t nowMs) {
  for (auto& [sender, line] : senders_) {
    while (!line.pending.empty() && line.pending.front().sentMs + horizonMs_ <= nowMs) {
      Judge(line.pending.front());
      line.pending.pop_front();
      ++line.serialOfFront;
    }
  }
}

}  // namespace ql::soak
