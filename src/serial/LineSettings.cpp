#include "LineSettings.h"

#include <array>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "common/Format.h"

namespace ql {
namespace {

struct LineRow {
  const char* mode;
  const char* description;
  BaudAndBits pair;
};

constexpr std::array<LineRow, kLineSettingCount> kLines = {{
    {"9600,N,8,1", "is OFF", {9600, 8}},
    {"600,N,8,1", "@ 600 Baud", {600, 8}},
    {"1200,N,8,1", "@ 1200 Baud", {1200, 8}},
    {"2400,N,8,1", "@ 2400 Baud", {2400, 8}},
    {"4800,N,8,1", "@ 4800 Baud", {4800, 8}},
    {"4800,E,7,1", "@ 4800,7,E,1", {4800, 7}},
    {"9600,N,8,1", "@ 9600 Baud", {9600, 8}},
    {"9600,E,7,1", "@ 9600,7,E,1", {9600, 7}},
    {"19200,N,8,1", "@ 19200 Baud", {19200, 8}},
    {"38400,N,8,1", "@ 38400 Baud", {38400, 8}},
    {"57600,N,8,1", "@ 57600 Baud", {57600, 8}},
    {"115200,N,8,1", "@ 115200 Baud", {115200, 8}},
}};

bool Known(int lineSetting) { return lineSetting >= 0 && lineSetting < kLineSettingCount; }

}  // namespace

const char* ModeString(int lineSetting) {
  return Known(lineSetting) ? kLines[lineSetting].mode : "9600,N,8,1";
}

std::optional<LineParams> ParseModeString(const std::string& mode) {
  std::vector<std::string> fields;
  std::stringstream in(mode);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  if (fields.size() != 4 || fields[1].size() != 1) return std::nullopt;
  LineParams line;
  line.baud = std::atoi(fields[0].c_str());
  line.parity = fields[1][0];
  line.dataBits = std::atoi(fields[2].c_str());
  line.stopBits = std::atoi(fields[3].c_str());
  if (line.baud <= 0 || (line.dataBits != 7 && line.dataBits != 8) || line.stopBits != 1) {
    return std::nullopt;
  }
  return line;
}

BaudAndBits ConfigurePair(int lineIndex) {
  return lineIndex >= 1 && lineIndex < kLineSettingCount ? kLines[lineIndex].pair
                                                          : BaudAndBits{9600, 8};
}

std::optional<int> LineSettingFor(int baud, int dataBits) {
  switch (baud) {
    case 600: return 1;
    case 1200: return 2;
    case 2400: return 3;
    case 4800: return dataBits == 8 ? 4 : 5;
    case 9600: return dataBits == 8 ? 6 : 7;
    case 19200: return 8;
    case 38400: return 9;
    case 57600: return 10;
    case 115200: return 11;
    default: return std::nullopt;
  }
}

std::string DescribePort(int comIndex, int lineIndex) {
  std::string text = comIndex == 0 ? std::string("No Port ") : Format("COM%1d ", comIndex);
  text += Known(lineIndex) ? kLines[lineIndex].description : "@ Unknown Baud";
  return text;
}

}  // namespace ql
