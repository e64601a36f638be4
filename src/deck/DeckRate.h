#pragma once

#include <string>

namespace ql {

// The PC logger's sample rate on the PC-Logger page (UDDeckRate, 1..20 Hz). Only rates
// that divide a second into whole tens of milliseconds or thereabouts are offered:
// 1, 2, 3, 4, 5, 6, 8, 10, 12, 16 and 20 Hz; a step to any other rate snaps on in the
// direction of the step.
struct DeckRate {
  static constexpr int kLowest = 1;
  static constexpr int kHighest = 20;

  int rate = 1;          // UDDeckRate position, Hz
  int lastRate = -1;     // the position after the previous step; -1 before the first
  int interval = 1000;   // ms between PC logger records
  std::string rateLabel = "Deck Rate:  1 Hz";            // LBDeckRate
  std::string intervalLabel = "Deck Interval: 1000 ms";  // LBDeckInterval
};

// UDDeckRateClick: `position` is where the up-down stands after the click (or where the
// host setup file put it); snaps it, sets the interval and both labels.
void UDDeckRateClick(DeckRate& deck, int position);

}  // namespace ql
