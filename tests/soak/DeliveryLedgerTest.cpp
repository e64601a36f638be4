#include "DeliveryLedger.h"

#include <gtest/gtest.h>

namespace ql::soak {
namespace {

using Fate = DeliveryLedger::Fate;

TEST(DeliveryLedger, FollowsTheHostsSequenceRuleThroughLossesGapsAndCopies) {
  DeliveryLedger ledger(1000);
  int64_t t = 0;
  auto send = [&](int seq, Fate fate) { ledger.Sent({2, seq, static_cast<uint32_t>(seq * 10)}, fate, t++); };
  auto accept = [&](int seq) { ledger.Accepted({2, seq, static_cast<uint32_t>(seq * 10)}, t); };

  send(0, Fate::Readable);  // must: 0 follows the start value 0xFF
  send(1, Fate::Lost);      // a broken checksum
  send(2, Fate::Readable);  // dropped by rule: out of sequence after the loss
  send(3, Fate::Readable);  // must
  send(5, Fate::Readable);  // a gap: dropped by rule
  send(6, Fate::Lost);
  send(6, Fate::Readable);  // its repeated copy came through: must
  send(7, Fate::Uncertain);  // may
  accept(0);
  accept(3);
  accept(6);
  accept(7);
  ledger.Settle(1'000'000);
  DeliveryLedger::Verdict v = ledger.Judged();
  EXPECT_EQ(v.sent, 7);
  EXPECT_EQ(v.expected, 3);
  EXPECT_EQ(v.missing, 0);
  EXPECT_EQ(v.unexpected, 0);
  EXPECT_EQ(v.uncertainAccepted, 1);
  EXPECT_EQ(v.longestWaitMs, 8);  // record 0, sent at 0 and accepted at 8

  // A host that loses a readable record, repeats one, takes one the rule drops, or swaps
  // two is caught.
  send(8, Fate::Readable);  // may: it follows an uncertain one
  send(9, Fate::Readable);
  send(10, Fate::Readable);
  send(11, Fate::Readable);
  send(13, Fate::Readable);
  accept(8);
  accept(11);
  accept(10);
  accept(10);
  accept(13);
  ledger.Accepted({3, 0, 0}, t);  // never sent
  ledger.Settle(2'000'000);
  v = ledger.Judged();
  EXPECT_EQ(v.missing, 1);
  EXPECT_EQ(v.repeated, 1);
  EXPECT_EQ(v.outOfOrder, 1);
  EXPECT_EQ(v.unexpected, 1);
  EXPECT_EQ(v.foreign, 1);
}

}  // namespace
}  // namespace ql::soak
