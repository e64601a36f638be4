#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "serial/ComPortMap.h"

namespace ql {

// Where the logger is and at which line: a COM number through the comports.txt of a
// start folder, or a device path; a "Logger Port Setup" line setting or automatic
// baud detection.
struct PortChoice {
  int com = 0;             // 1..12, or 0 when a device path is given
  std::string device;      // a device path instead of a COM number
  std::filesystem::path startDirectory = ".";
  int lineIndex = 6;       // LoggerSetupCB item, "9600"
  bool autoBaud = false;
};

// "COM3" (any case, 1..12); nothing for anything else.
std::optional<int> ParseComName(const std::string& text);

// A "Logger Port Setup" item text ("9600", "9600,7,E,1", "115200"; spaces ignored) as its
// item index 1..11; nothing for "OFF" and anything the list does not hold.
std::optional<int> ParseLineText(const std::string& text);

// The item texts --line accepts, for messages.
std::string LineTexts();

// The COM mapping the choice opens through: comports.txt of the start folder, or COM1
// standing for the device path. Lines of comports.txt that were not understood are
// added to `problems`.
ComPortMap PortMapFor(const PortChoice& choice, std::string& problems);

// The COM number the port table opens.
inline int ComToOpen(const PortChoice& choice) { return choice.device.empty() ? choice.com : 1; }

}  // namespace ql
