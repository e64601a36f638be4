#include "RunSummaryTexts.h"

#include <array>
#include <utility>

#include "common/Format.h"

namespace ql {
namespace {

constexpr std::array<std::pair<int, const char*>, 4> kPowers = {{
    {3860, "60 % Power:  "},
    {7860, "75 % Power:  "},
    {14720, "Standard Power:  "},
    {16000, "Turbo Power:  "},
}};

constexpr std::array<const char*, 12> kOutputFormats = {
    "Status                     ", "Real Time + Status         ", "Real Time                  ",
    nullptr,
    "Logger 1                   ", "Logger 2                   ", "Logger 3                   ",
    "Logger 4                   ", "Logger 5                   ", "Logger 6                   ",
    "Logger 7                   ", "Logger 8                   ",
};

constexpr std::array<std::pair<int, int>, 8> kPacketRates = {
    {{100, 10}, {125, 8}, {166, 6}, {200, 5}, {250, 4}, {333, 3}, {500, 2}, {1000, 1}}};

constexpr std::array<const char*, 14> kDeviceNames = {
    "        OFF", "        bx5", "        spk", "      ASCII", "     Binary", "     LUM-K4", "Ashteck GPS",
    "       PUMP", "Remote Host", "SBE16",       "      SCT-S", "ZR-Test",     "Wake/Binary", "  ZR-Logger"};

}  // namespace

const char* PowerLabel(int powerKHz) {
  for (const auto& [value, label] : kPowers) {
    if (value == powerKHz) return label;
  }
  return "Unknown Power: ";
}

std::string OutputFormatText(int outputFormat) {
  if (outputFormat >= 0 && outputFormat < static_cast<int>(kOutputFormats.size()) &&
      kOutputFormats[static_cast<size_t>(outputFormat)] != nullptr) {
    return kOutputFormats[static_cast<size_t>(outputFormat)];
  }
  return Format("Invalid Output Setting %d  ", outputFormat);
}

int PacketRate(int periodMs) {
  for (const auto& [period, rate] : kPacketRates) {
    if (period == periodMs) return rate;
  }
  return periodMs;
}

char ParityLetter(int parity) {
  constexpr std::array<char, 3> kLetters = {'N', 'O', 'E'};
  return parity >= 0 && parity < 3 ? kLetters[static_cast<size_t>(parity)] : '*';
}

const char* DeviceName(int deviceCode) {
  if (deviceCode < 0 || deviceCode >= static_cast<int>(kDeviceNames.size())) return "Invalid Meter";
  return kDeviceNames[static_cast<size_t>(deviceCode)];
}

std::string Duration(const char* label, uint32_t seconds) {
  const unsigned long s = seconds;
  if (s == 0) return Format("%s:  None\n", label);
  if (s % 3600 == 0) return Format("%s: %1lu Hours\n", label, s / 3600);
  if (s % 60 != 0) return Format("%s: %1lu Seconds\n", label, s);
  return Format("%s: %1lu Minutes\n", label, s / 60);
}

}  // namespace ql
