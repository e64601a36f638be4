#pragma once

#include <cstdint>
#include <limits>

namespace ql {

// Paces a display whose contents change on every tick: it redraws at most 20 times a
// second, however fast the counts behind it move.
class RefreshGate {
 public:
  static constexpr int64_t kIntervalMs = 50;

  // At least the interval has passed since the last refresh, or the clock went back.
  bool Due(int64_t nowMs) const { return nowMs - lastMs_ >= kIntervalMs || nowMs < lastMs_; }
  void Refreshed(int64_t nowMs) { lastMs_ = nowMs; }

 private:
  int64_t lastMs_ = std::numeric_limits<int64_t>::min() / 2;
};

}  // namespace ql
