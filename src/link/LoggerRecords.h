#pragma once

#include <array>
#include <cstdint>
#include <limits>

namespace ql {

// The latest packet of each type the logger sends, and the flags that tell the
// one-second tick a record is waiting to be shown. A record keeps its last packet
// until the next one of its type overwrites it.
struct LoggerRecords {
  std::array<uint8_t, 192> setup{};
  std::array<uint8_t, 12> shortMessage{};
  std::array<uint8_t, 132> status{};
  std::array<uint8_t, 1036> uploadBlock{};
  std::array<uint8_t, 64> directoryEntry{};
  std::array<uint8_t, 44> analogCalibration{};
  std::array<uint8_t, 58> hardwareConfig{};

  bool setupReceived = false;     // SetupReceived
  bool statusReceived = false;    // StatusReceived
  bool hardwareReceived = false;  // the hardware flag

  int badFlash = 0;        // word at offset 2 of the last short message; 0: no fault
  // Outside every 16-bit word the logger can send (-2 among them), so the next check
  // always sets the panel.
  static constexpr int kBadFlashNotShown = std::numeric_limits<int>::min();
  int shownBadFlash = kBadFlashNotShown;         // the value FlashPanel last showed
};

}  // namespace ql
