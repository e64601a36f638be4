#pragma once

#include <array>

namespace ql {

// How each deck port (PC serial slots 1..8) is used: nothing, an instrument read by
// the PC logger, or an output repeating one port of one logger.
enum DeckFunction : int { kDeckInActive = 0, kDeckMeterInput = 1, kDeckLoggerOutput = 2 };

struct DeckPortUse {
  int function = kDeckInActive;
  int loggerId = 0;    // output logger ID 1..4
  int loggerPort = 0;  // output logger port 1..9
  bool operator==(const DeckPortUse&) const = default;
};

struct DeckRestoreEntry {
  DeckPortUse use;
  int comIndex = 0;
  int lineIndex = 0;
};

// Indexed by deck port 1..8; entry 0 is unused. The working copy is what the relay and
// the PC logger act on; the restore copy brings the controls back.
struct DeckConfig {
  static constexpr int kDeckPorts = 8;
  std::array<DeckPortUse, kDeckPorts + 1> working{};
  std::array<DeckRestoreEntry, kDeckPorts + 1> restore{};
};

}  // namespace ql
