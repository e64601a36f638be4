#pragma once

#include <string>

namespace ql {

class CommandSender;

// IDs the operator may give a logger (UDMuxID); data packets name their logger by it.
inline constexpr int kFirstNewLoggerId = 2;
inline constexpr int kLastNewLoggerId = 4;
inline constexpr int kInitialNewLoggerId = 2;

// LBNewMuxID beside the up-down: "%3d".
std::string NewLoggerIdText(int loggerId);

// "Send New Logger ID": no check and no confirmation; the next status shows the result.
void SendNewLoggerId(CommandSender& sender, int loggerId);

}  // namespace ql
