#pragma once

#include <string>

namespace ql::sim {

// The text of a comports.txt with COM `com` pointing at `device`: the line for that
// COM number is replaced (or added at the end), every other line is kept as it was.
std::string WithComPort(const std::string& existing, int com, const std::string& device);

}  // namespace ql::sim
