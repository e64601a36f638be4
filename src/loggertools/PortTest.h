#pragma once

#include <optional>

#include "serial/CommandFrame.h"

namespace ql {

class CommandSender;
class Operator;

// The choices of the port test dialog, as item indices.
struct PortTestChoice {
  int port = 0;       // CBTestPort: "Port 1".."Port 8", "Analog Ports"; none chosen (-1) is item 0
  int testSetup = 6;  // CBTestPortSetup, line settings "OFF".."115200"
  int hostSetup = 6;  // the dialog's CBHostPortSetup: the logger's host link during the test
};

// "Start Test", steps 1..4: the record that connects the chosen port straight through to
// the host link. A line setting of "OFF" on either side is refused with a warning box and
// gives nothing.
std::optional<PortTestRecord> PortTestRecordFor(const PortTestChoice& choice, Operator& op);

// Step 6: the record, sealed with its checksum, on the logger port.
void SendPortTest(CommandSender& sender, const PortTestRecord& record);

}  // namespace ql
