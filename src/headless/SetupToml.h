#pragma once

#include <optional>
#include <string>
#include <vector>

#include "setup/SetupControls.h"

namespace ql {

// The logger setup as a text file a person reads, reviews and diffs (TOML): one key per
// control of the Port Setup and Logger Control pages, named after what the page shows,
// each value as the page shows it.

// One value: its key in the file ("delay", "port1.line") and the page's text of it.
struct SetupValue {
  std::string key;
  std::string text;

  bool operator==(const SetupValue&) const = default;
};

// Every control's value, in the file's order.
std::vector<SetupValue> SetupValues(const SetupControls& controls);

// The whole file, with a comment line per section.
std::string SetupToToml(const SetupControls& controls);

// A file read back: the controls, or every refusal ("FILE:LINE: key: why, allowed ...").
// A file that lacks a control or holds a key no page has is refused too.
struct SetupFileReading {
  std::optional<SetupControls> controls;
  std::vector<std::string> errors;
};
SetupFileReading ParseSetupToml(const std::string& text, const std::string& fileName);

// The controls whose values differ, with the text of each side.
struct SetupDifference {
  std::string key;
  std::string left;
  std::string right;

  bool operator==(const SetupDifference&) const = default;
};
std::vector<SetupDifference> CompareSetups(const SetupControls& left, const SetupControls& right);

}  // namespace ql
