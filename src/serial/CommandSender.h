#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace ql {

class Operator;
class PortTable;

// Everything the host tells the logger goes out on the logger port through here. No
// sender waits for an answer; with the port closed nothing is sent and nothing said.
class CommandSender {
 public:
  explicit CommandSender(PortTable& ports) : ports_(ports) {}

  void SendCommand(uint16_t code);
  void SendCommandArgs(uint16_t code, uint16_t argB, uint32_t argA);
  // A record already built and sealed by its owner (setup, hardware, calibration, test).
  void SendRecord(const uint8_t* record, int size);
  void SendText(std::string_view text);

 private:
  PortTable& ports_;
};

// "Stop": the text form alone when the logger's host port runs 7 data bits, even
// parity (CBHostPortSetup at 5 or 7); otherwise the Stop frame and the break text.
void SendStop(CommandSender& sender, int hostPortSetupIndex);

// Commands that go out only after the operator confirms them. Returns true when the
// command was sent. beforeSend runs between the answer and the send.
bool ConfirmAndSend(CommandSender& sender, Operator& op, uint16_t code,
                    const std::function<void()>& beforeSend = {});

}  // namespace ql
