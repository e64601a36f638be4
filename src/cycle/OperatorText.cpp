#include "OperatorText.h"

#include "HostState.h"

namespace ql {

void SendOperatorText(HostState& host, const std::string& text, bool withLineEnd) {
  host.terminal.Write("\r\n");
  host.sender.SendText(text);
  host.terminal.Write(text);
  if (withLineEnd) host.sender.SendText("\r\n");
  host.terminal.Write("\r\n");
}

}  // namespace ql
