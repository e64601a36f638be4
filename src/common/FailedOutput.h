#pragma once

#include <string>

namespace ql {

// An output file that could not be created or written whole, with the system's reason.
struct FailedOutput {
  std::string name;    // "archive.007"
  std::string reason;  // "No space left on device"
  bool operator==(const FailedOutput&) const = default;
};

}  // namespace ql
