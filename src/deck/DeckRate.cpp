#include "DeckRate.h"

#include <algorithm>
#include <array>

#include "common/Format.h"

namespace ql {
namespace {

// Allowed rate for each position 0..20, stepping up and stepping down; 1 and 20 are
// never snapped.
constexpr std::array<int, 21> kUpward = {0, 1, 2, 3, 4, 5, 6, 8, 8, 10, 10, 12, 12, 16, 16, 16, 16, 20, 20, 20, 20};
constexpr std::array<int, 21> kDownward = {0, 1, 2, 3, 4, 5, 6, 6, 8, 8, 10, 10, 12, 12, 12, 12, 12, 16, 16, 16, 20};

}  // namespace

void UDDeckRateClick(DeckRate& deck, int position) {
  int p = std::clamp(position, DeckRate::kLowest, DeckRate::kHighest);
  // A "step" that does not move (a host setup file holding the rate already set) keeps
  // it: the downward table would otherwise turn a stored 16 Hz into 12 Hz.
  if (p != DeckRate::kLowest && p != DeckRate::kHighest && p != deck.lastRate) {
    p = p > deck.lastRate ? kUpward[static_cast<size_t>(p)] : kDownward[static_cast<size_t>(p)];
  }
  deck.rate = p;
  deck.interval = 1000 / p;
  deck.rateLabel = Format("Deck Rate: %2d Hz", p);
  deck.intervalLabel = Format("Deck Interval: %4ld ms", static_cast<long>(deck.interval));
  deck.lastRate = p;
}

}  // namespace ql
