#include "LoggerId.h"

#include "common/Format.h"
#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"

namespace ql {

std::string NewLoggerIdText(int loggerId) { return Format("%3d", loggerId); }

void SendNewLoggerId(CommandSender& sender, int loggerId) {
  sender.SendCommandArgs(CmdSetLoggerId, static_cast<uint16_t>(loggerId), 0);
}

}  // namespace ql
