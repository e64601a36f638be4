#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Prng.h"

namespace ql::sim {

// What four loggers on one cable send in real time, each with its own instruments: text
// lines (a CTD, a GPS, a fluorometer, an oxygen optode), a binary current-meter frame
// whose bytes may look like packet starts or line ends, and analog words. Sender n uses
// its own set of ports, so the per-sender displays and relays differ.
class RealTimeMix {
 public:
  static constexpr int kSources = 9;

  // The nine sources of one sample of sender 1..4 (other senders use sender 1's set).
  std::array<std::string, kSources> Sample(int sender, int64_t sample, Prng& prng) const;

 private:
  static std::string Ctd(int64_t sample, Prng& prng);
  static std::string Gps(int64_t sample);
  static std::string Fluorometer(int64_t sample, Prng& prng);
  static std::string Optode(int64_t sample);
  static std::string CurrentMeter(int64_t sample, Prng& prng);
  static std::string Analog(int channels, int64_t sample, Prng& prng);
};

}  // namespace ql::sim
