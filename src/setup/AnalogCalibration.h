#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ql {

// The logger's analog calibration: counts at 0 volts and counts per volt of the battery
// channel (0) and of the seven analog ports (1..7). 44 little-endian bytes, sent as they
// stand and returned in packets of type 6.
inline constexpr int kAnalogCalibrationLength = 44;
using AnalogCalibrationBytes = std::array<uint8_t, kAnalogCalibrationLength>;
inline constexpr uint16_t kAnalogMarker = 0x0606;
inline constexpr int kCalibrationChannels = 8;

// The texts of the edits MEOffset0..MEOffset7 and MEScale0..MEScale7. An edit that still
// shows a value of the held record as it came from the logger or a file gives that value
// back unchanged; the parsing rules below are for what the operator types.
struct AnalogControls {
  std::array<std::string, kCalibrationChannels> offset;
  std::array<std::string, kCalibrationChannels> scale;
  std::array<bool, kCalibrationChannels> offsetAsShown{};
  std::array<bool, kCalibrationChannels> scaleAsShown{};

  // The operator's text in an edit.
  void TypeOffset(size_t channel, std::string text);
  void TypeScale(size_t channel, std::string text);
};

// The edits at start: offset 200 and scale 790 for the battery, 150 and 5325 for each
// analog port.
AnalogControls DefaultAnalogControls();

// One edit's value: the decimal number the text holds (0 when it holds none), raised to
// the minimum (0 for an offset, 1 for a scale) and lowered to 32700.
inline constexpr int kOffsetMinimum = 0;
inline constexpr int kScaleMinimum = 1;
inline constexpr int kCalibrationMaximum = 32700;
int ParseCalibrationEdit(const std::string& text, int minimum);

// BuildAnalogCalibration: the record from the edits, with the checksum. `record` is the
// held one the edits were shown from: a value still shown as it came stays as it is.
void BuildAnalogCalibration(const AnalogControls& controls, AnalogCalibrationBytes& record);

// ShowAnalogCalibration's texts: each value "%5d", as the record holds it.
AnalogControls ReadAnalogCalibration(const AnalogCalibrationBytes& record);

}  // namespace ql
