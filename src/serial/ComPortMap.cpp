#include "ComPortMap.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "common/Format.h"

namespace ql {
namespace {

std::string UsualName(int com) {
#ifdef _WIN32
  return com <= 8 ? Format("COM%d", com) : Format("\\\\.\\COM%d", com);
#else
  return Format("/dev/ttyS%d", com - 1);
#endif
}

std::string Trim(const std::string& s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

}  // namespace

ComPortMap::ComPortMap() {
  names_[0] = "COMX";
  for (int com = 1; com <= kHighestCom; ++com) names_[com] = UsualName(com);
}

void ComPortMap::LoadFile(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) return;
  std::stringstream text;
  text << in.rdbuf();
  Parse(text.str());
}

void ComPortMap::Parse(const std::string& text) {
  std::istringstream in(text);
  int lineNumber = 0;
  for (std::string raw; std::getline(in, raw);) {
    ++lineNumber;
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    const size_t eq = line.find('=');
    const std::string key = eq == std::string::npos ? line : Trim(line.substr(0, eq));
    const std::string device = eq == std::string::npos ? std::string() : Trim(line.substr(eq + 1));
    int com = 0;
    bool keyOk = key.size() > 3 && (key.compare(0, 3, "COM") == 0 || key.compare(0, 3, "com") == 0);
    for (size_t i = 3; keyOk && i < key.size(); ++i) {
      keyOk = std::isdigit(static_cast<unsigned char>(key[i])) != 0 && com < 100;
      com = com * 10 + (key[i] - '0');
    }
    if (!keyOk || com < 1 || com > kHighestCom || device.empty()) {
      problems_.push_back(Format("line %d: \"%s\" (expected COM1..COM12=device)", lineNumber,
                                 line.c_str()));
      continue;
    }
    names_[com] = device;
  }
}

std::string ComPortMap::DeviceName(int com) const {
  return com >= 0 && com <= kHighestCom ? names_[com] : names_[0];
}

}  // namespace ql
