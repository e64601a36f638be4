#include "ComPortsFile.h"

#include <cctype>
#include <sstream>

#include "common/Format.h"

namespace ql::sim {
namespace {

// The COM number a line assigns, 0 when it assigns none.
int AssignedCom(const std::string& line) {
  size_t i = 0;
  while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
  if (line.size() - i < 4) return 0;
  for (int k = 0; k < 3; ++k) {
    if (std::toupper(static_cast<unsigned char>(line[i + static_cast<size_t>(k)])) != "COM"[k]) return 0;
  }
  i += 3;
  int com = 0;
  while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])) && com < 100) {
    com = com * 10 + (line[i++] - '0');
  }
  while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
  return i < line.size() && line[i] == '=' ? com : 0;
}

}  // namespace

std::string WithComPort(const std::string& existing, int com, const std::string& device) {
  std::istringstream in(existing);
  std::string text;
  for (std::string line; std::getline(in, line);) {
    if (AssignedCom(line) == com) continue;
    text += line;
    text += '\n';
  }
  text += Format("COM%d=%s\n", com, device.c_str());
  return text;
}

}  // namespace ql::sim
