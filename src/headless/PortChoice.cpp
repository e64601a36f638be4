#include "PortChoice.h"

#include <cctype>

#include "serial/LineSettings.h"
#include "setup/PortLineSetting.h"

namespace ql {
namespace {

std::string WithoutSpaces(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

}  // namespace

std::optional<int> ParseComName(const std::string& text) {
  const std::string t = WithoutSpaces(text);
  if (t.size() < 4 || t.compare(0, 3, "COM") != 0) return std::nullopt;
  int com = 0;
  for (size_t i = 3; i < t.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i])) || com > ComPortMap::kHighestCom) return std::nullopt;
    com = com * 10 + (t[i] - '0');
  }
  if (com < 1 || com > ComPortMap::kHighestCom) return std::nullopt;
  return com;
}

// The logger port's line items are the first twelve of the instrument ports' list.
std::optional<int> ParseLineText(const std::string& text) {
  const std::string t = WithoutSpaces(text);
  for (int i = 1; i < kLineSettingCount; ++i) {
    if (t == kPortLineItems[static_cast<size_t>(i)]) return i;
  }
  return std::nullopt;
}

std::string LineTexts() {
  std::string list;
  for (int i = 1; i < kLineSettingCount; ++i) list += std::string(kPortLineItems[static_cast<size_t>(i)]) + ", ";
  return list + "auto";
}

ComPortMap PortMapFor(const PortChoice& choice, std::string& problems) {
  ComPortMap map;
  if (!choice.device.empty()) {
    map.Parse("COM1=" + choice.device);
    return map;
  }
  map.LoadFile(choice.startDirectory / ComPortMap::kFileName);
  for (const std::string& p : map.Problems()) problems += (problems.empty() ? "" : "; ") + p;
  return map;
}

}  // namespace ql
