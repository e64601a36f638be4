#pragma once

#include <array>
#include <cstddef>

#include "SetupTime.h"

namespace ql {

inline constexpr int kSerialPortCount = 8;  // instrument ports 1..8
inline constexpr int kAnalogPortCount = 7;  // analog ports 1..7
inline constexpr int kPumpCount = 4;        // pumps 1..4

// Limits of UDLVCutOff (tenths of a volt) and UDAnalogRate (Hz).
inline constexpr int kLowestCutoff = 65;
inline constexpr int kHighestCutoff = 140;
inline constexpr int kLowestAnalogRate = 1;
inline constexpr int kHighestAnalogRate = 20;

// What the Port Setup and Logger Control pages show, one field per control. The window
// copies these values into its controls and back; every rule works on this struct.
//
// A combo field holds the item index as the logger sent it or the operator chose it.
// An index outside the combo's list (a received device type 13, an output format 12) is
// kept as it is: the combo shows no selection, and HasSelection() says so, which keeps
// Send Setup refused until the operator picks an item. -1 is the plain "no selection".
struct SetupControls {
  int mode = -1;                                 // ModeCB, showing its prompt at start
  std::array<int, kSerialPortCount> meter{};     // ComboMeter1..ComboMeter8
  std::array<int, kSerialPortCount> portLine{};  // CBPort1Setup..CBPort8Setup
  int hostPortLine = 6;                          // CBHostPortSetup, "9600"
  std::array<int, kAnalogPortCount> analog{};    // CBAnalog1..CBAnalog7
  std::array<int, kPumpCount> pump{};            // CBPump1..CBPump4

  // Once-per-hour check boxes.
  std::array<bool, kSerialPortCount> serialOncePerHour{};  // SOPH1..SOPH8
  std::array<bool, kAnalogPortCount> analogOncePerHour{};  // AOPH1..AOPH7
  std::array<bool, kPumpCount> pumpOncePerHour{};          // POPH1..POPH4

  // Delay, PreFlush, Warmup, Flush, Sample, Interval: up-down and unit combo, indexed
  // by TimeField.
  std::array<TimeSetting, kTimeFieldCount> times{};

  int lowVoltageCutoff = 65;  // UDLVCutOff, tenths of a volt (65..140)
  int analogRate = 1;         // UDAnalogRate, Hz (1..20)
  int output = -1;            // OutputCB
  int file = -1;              // FileCB
  bool autoStart = false;     // CBAutoStart
  int timeSource = 0;         // TimeSourceCB

  bool operator==(const SetupControls&) const = default;
};

// Whether a combo holding `index` shows an item of its `itemCount` items.
constexpr bool HasSelection(int index, std::size_t itemCount) {
  return index >= 0 && static_cast<std::size_t>(index) < itemCount;
}

// The index a combo shows for a raw value: the value itself, or -1 (no selection) when
// it lies outside the list.
constexpr int ShownIndex(int index, std::size_t itemCount) {
  return HasSelection(index, itemCount) ? index : -1;
}

// Visibility of the port labels of the Port Setup page (LBS1..LBS8, LBAnalog1..LBAnalog7,
// LBPump1..LBPump4), which the status display decides from the logger's port masks.
// The same shape serves for the rows' once-per-hour boxes.
struct PortRowsShown {
  std::array<bool, kSerialPortCount> serial{};
  std::array<bool, kAnalogPortCount> analog{};
  std::array<bool, kPumpCount> pump{};

  bool operator==(const PortRowsShown&) const = default;
};

}  // namespace ql
