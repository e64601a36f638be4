#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace ql {

// Which device each COM number 1..12 stands for on this PC. Read from the text file
// "comports.txt" in the start directory: lines "COM3=/dev/ttyUSB0"; blank lines and
// lines starting with '#' are ignored. A COM number without a line keeps the
// platform's usual name.
class ComPortMap {
 public:
  static constexpr int kHighestCom = 12;
  static constexpr const char* kFileName = "comports.txt";

  ComPortMap();

  // Reads the mapping file; a missing file leaves the usual names. Lines that cannot
  // be understood are kept in Problems() for the operator to see.
  void LoadFile(const std::filesystem::path& file);
  void Parse(const std::string& text);

  std::string DeviceName(int com) const;
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  std::array<std::string, kHighestCom + 1> names_;
  std::vector<std::string> problems_;
};

}  // namespace ql
