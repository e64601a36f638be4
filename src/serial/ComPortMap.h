#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace ql {

// Which device each COM number 1..12 stands for on this PC. Read from the text file
// "comports.txt" in the start directory: lines "COM3=/dev/ttyUSB0", the word COM in any
// case; '#' starts a comment to the end of the line, and blank lines are ignored. The
// first line for a COM number wins. A COM number without a line keeps the platform's
// usual name.
class ComPortMap {
 public:
  static constexpr int kHighestCom = 12;
  static constexpr const char* kFileName = "comports.txt";

  ComPortMap();

  // Reads the mapping file; a missing file leaves the usual names. Lines that cannot
  // be understood, and repeats of a COM number, are kept in Problems() for the
  // operator to see, each naming its line.
  void LoadFile(const std::filesystem::path& file);
  void Parse(const std::string& text);

  std::string DeviceName(int com) const;
  const std::vector<std::string>& Problems() const { return problems_; }
  // The operator's text naming every ignored line; empty when there are none.
  std::string ProblemsText() const;

 private:
  std::array<std::string, kHighestCom + 1> names_;
  std::vector<std::string> problems_;
};

}  // namespace ql
