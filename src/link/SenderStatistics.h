#pragma once

#include <array>
#include <cstdint>

namespace ql {

// Counts kept per data-record sender (logger IDs 0..4) and over all of them.
struct SenderStatistics {
  static constexpr int kSenders = 5;
  std::array<uint32_t, kSenders> packets{};  // records accepted
  std::array<uint32_t, kSenders> errors{};   // sequence errors
  std::array<uint32_t, kSenders> gap{};      // size of the last sequence gap
  uint32_t sequenceErrorTotal = 0;
  uint32_t acceptedTotal = 0;  // records taken in sequence over all senders; never reset

  // "Reset Counters": the per-sender numbers only; the total stays.
  void ResetPerSender() {
    packets.fill(0);
    errors.fill(0);
    gap.fill(0);
  }
};

}  // namespace ql
