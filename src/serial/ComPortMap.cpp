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

// The COM number of a line "COMn=device" (the word in any case), or 0 when the line is
// not of that form, n is outside 1..12 or the device is missing.
int ComNumber(const std::string& line) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos || Trim(line.substr(eq + 1)).empty()) return 0;
  const std::string key = Trim(line.substr(0, eq));
  if (key.size() < 4 || key.size() > 5) return 0;
  for (size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(key[i])) != "COM"[i]) return 0;
  }
  int com = 0;
  for (size_t i = 3; i < key.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(key[i])) == 0) return 0;
    com = com * 10 + (key[i] - '0');
  }
  return com <= ComPortMap::kHighestCom ? com : 0;
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
  std::array<int, kHighestCom + 1> setOnLine{};
  int lineNumber = 0;
  for (std::string raw; std::getline(in, raw);) {
    ++lineNumber;
    const std::string line = Trim(raw.substr(0, raw.find('#')));
    if (line.empty()) continue;
    const int com = ComNumber(line);
    if (com == 0) {
      problems_.push_back(Format("line %d: \"%s\" (expected COM1..COM12=device)", lineNumber, line.c_str()));
    } else if (setOnLine[com] != 0) {
      problems_.push_back(Format("line %d: \"%s\" (COM%d is already set on line %d)", lineNumber, line.c_str(),
                                 com, setOnLine[com]));
    } else {
      setOnLine[com] = lineNumber;
      names_[com] = Trim(line.substr(line.find('=') + 1));
    }
  }
}

std::string ComPortMap::ProblemsText() const {
  if (problems_.empty()) return {};
  std::string text = std::string("These lines of ") + kFileName + " are ignored:\n";
  for (const std::string& p : problems_) text += p + "\n";
  return text;
}

std::string ComPortMap::DeviceName(int com) const {
  return com >= 0 && com <= kHighestCom ? names_[com] : names_[0];
}

}  // namespace ql
