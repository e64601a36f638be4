#pragma once

#include <cerrno>
#include <cstring>
#include <string>

namespace ql {

// Why the file operation just tried failed, in the system's words; `fallback` when the
// system gave no reason. Set errno to 0 before the operation.
inline std::string SystemReason(const char* fallback) { return errno != 0 ? std::strerror(errno) : fallback; }

}  // namespace ql
