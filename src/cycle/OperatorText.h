#pragma once

#include <string>

namespace ql {

class HostState;

// Text typed by the operator for the logger: echoed to the terminal between line
// breaks and written to the logger port, with CR LF after it when sent with Enter.
// Sent whole, however long.
void SendOperatorText(HostState& host, const std::string& text, bool withLineEnd);

}  // namespace ql
