#include "StatusTexts.h"

#include <array>
#include <cstdlib>

#include "common/Format.h"

namespace ql {

std::string OperationText(int state) {
  struct StateName {
    int code;
    const char* text;
  };
  static constexpr std::array<StateName, 16> kStates = {{
      {0, "OFF"},
      {2, "Delay"},
      {3, "Pre-Flush"},
      {4, "Warmup"},
      {5, "Flush"},
      {6, "Sampling"},
      {7, "Clear Memory"},
      {8, "Sleeping"},
      {9, "Standby"},
      {10, "Upload"},
      {13, "Low Voltage"},
      {14, "8 volt Limit"},
      {16, "Manual Switch"},
      {17, "Low Power"},
      {27, "Zero Volt Cutoff"},
      {30, "End of Run"},
  }};
  for (const StateName& s : kStates) {
    if (s.code == state) return s.text;
  }
  return Format("Invalid Status %02x", state);
}

std::string TimeLeftText(uint32_t secondsLeft) {
  const long hours = static_cast<long>(secondsLeft / 3600);
  const long minutes = static_cast<long>((secondsLeft % 3600) / 60);
  const long seconds = static_cast<long>(secondsLeft % 60);
  if (hours > 0) return Format("%2ld:%02ld:%02ld", hours, minutes, seconds);
  return Format("%2ld:%02ld", minutes, seconds);
}

std::string PowerText(uint16_t powerBits) {
  std::string text = "Power: ";
  for (int bit = 0; bit < 8; ++bit) {
    text += ((powerBits >> bit) & 1u) ? '1' : '0';
    if (bit == 3) text += ' ';
  }
  return text;
}

RunStopDisplay RunStopFor(int code) {
  switch (code) {
    case 0: return {false, ""};
    case 1: return {true, "Run/Stop Switch: STOP"};
    case 2: return {true, "Run/Stop Switch: RUN"};
    case 4: return {true, "Run/Stop Switch: Disabled"};
    default: return {true, "Run/Stop Switch:  Error"};
  }
}

DriftDisplay DriftFor(int64_t loggerSeconds, int64_t hostSeconds) {
  const int64_t d = loggerSeconds > hostSeconds ? loggerSeconds - hostSeconds : hostSeconds - loggerSeconds;
  if (d <= 4) return {false, ""};
  const long h = static_cast<long>(d / 3600);
  const long m = static_cast<long>((d % 3600) / 60);
  const long s = static_cast<long>(d % 60);
  if (loggerSeconds > hostSeconds) return {true, Format("Drift:  %02ld:%02ld:%02ld Fast ", h, m, s)};
  return {true, Format("Drift:  %02ld:%02ld:%02ld Slow ", h, m, s)};
}

std::string VoltsText(int millivolts) { return Format("%4.1f V", millivolts * 0.001); }

PortRateDisplay PortRateFor(int rate) {
  if (rate < 0) return {"Bytes/Record:", Format("%d", std::abs(rate))};
  return {"Bytes/Second:", Format("%d", rate)};
}

std::string PortFileSizeText(int32_t bytes) {
  if (bytes < 1024) return Format("%d", bytes);
  return Format("%d K", bytes / 1024);
}

std::string AnalogFileSizeText(int32_t bytes) {
  if (bytes <= 1023) return Format("%ld", static_cast<long>(bytes));
  return Format("%ld k", static_cast<long>(bytes / 1024));
}

}  // namespace ql
