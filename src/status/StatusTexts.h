#pragma once

#include <cstdint>
#include <string>

// Texts of the status display, one function per label kind.
namespace ql {

// LBOperation: the logger state's name, or "Invalid Status %02x".
std::string OperationText(int state);

// LBTimeLeft: "h:mm:ss" from an hour up, else "m:ss" (both right-aligned to two digits).
std::string TimeLeftText(uint32_t secondsLeft);

// LBPower: the eight power switches, switch 1 first, grouped by four.
std::string PowerText(uint16_t powerBits);

// LBRunStop for a run/stop switch code.
struct RunStopDisplay {
  bool visible = false;
  std::string text;

  bool operator==(const RunStopDisplay&) const = default;
};
RunStopDisplay RunStopFor(int code);

// LBDrift: how far the logger clock is from the PC's; shown only beyond 4 s.
struct DriftDisplay {
  bool visible = false;
  std::string text;

  bool operator==(const DriftDisplay&) const = default;
};
DriftDisplay DriftFor(int64_t loggerSeconds, int64_t hostSeconds);

// "%4.1f V" of a supply voltage in millivolts.
std::string VoltsText(int millivolts);

// Per-port rate on the Data Status page: a negative rate is bytes per record.
struct PortRateDisplay {
  const char* caption;  // M1BPSLabel..M8BPSLabel
  std::string value;    // M1StatusLabel..M8StatusLabel
};
PortRateDisplay PortRateFor(int rate);

// M1FileSizeLabel..M8FileSizeLabel: bytes below 1 K, else "K".
std::string PortFileSizeText(int32_t bytes);

// AnalogFileSizeLabel: bytes up to 1023, else a lower-case "k".
std::string AnalogFileSizeText(int32_t bytes);

}  // namespace ql
