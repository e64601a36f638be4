#include "CommandSender.h"

#include <array>

#include "CommandFrame.h"
#include "PortTable.h"
#include "common/Operator.h"

namespace ql {
namespace {

struct Confirmation {
  uint16_t code;
  uint16_t argB;
  Operator::Question question;
  Operator::Answer sendingAnswer;
  const char* afterCaption;  // a warning shown after sending, or nullptr
  const char* afterText;
};

const std::array<Confirmation, 3>& Confirmations() {
  using B = Operator::Buttons;
  using I = Operator::Icon;
  using A = Operator::Answer;
  static const std::array<Confirmation, 3> table = {{
      {CmdClearFlash, 1,
       {"Clear Memory", "Are you sure you want to clear the flash memory?", B::YesNo, I::Exclamation, false},
       A::Yes, "**** WARNING ****",
       "The status must return to Standby before removing power or any other action is taken"},
      {CmdResetToMonitor, 0,
       {"Data Logger Monitor", "Are you sure you want cease operation and exit to the Monitor Program?",
        B::OkCancel, I::Exclamation, true},
       A::Ok, nullptr, nullptr},
      {CmdLoadDefaultSetup, 0,
       {"Reset the Data Logger to it's Default Settings",
        "The current operation will be halted and the current settings will be erased.\n\n"
        "Are you sure you want to Reset to the default settings?",
        B::OkCancel, I::Exclamation, true},
       A::Ok, nullptr, nullptr},
  }};
  return table;
}

}  // namespace

void CommandSender::SendCommand(uint16_t code) { SendCommandArgs(code, 0, 0); }

void CommandSender::SendCommandArgs(uint16_t code, uint16_t argB, uint32_t argA) {
  const CommandFrame frame = BuildCommandFrame(code, argB, argA);
  SendRecord(frame.data(), kCommandFrameSize);
}

void CommandSender::SendRecord(const uint8_t* record, int size) {
  ports_.WritePort(PortTable::kLoggerSlot, record, size);
}

void CommandSender::SendText(std::string_view text) {
  ports_.WritePort(PortTable::kLoggerSlot, reinterpret_cast<const uint8_t*>(text.data()),
                   static_cast<int>(text.size()));
}

void SendStop(CommandSender& sender, int hostPortSetupIndex) {
  if (hostPortSetupIndex == 5 || hostPortSetupIndex == 7) {
    sender.SendText("    STOP7E1STOP7E1");
    return;
  }
  sender.SendCommand(CmdStop);
  sender.SendText("    BREAKBREAKBREAK");
}

bool ConfirmAndSend(CommandSender& sender, Operator& op, uint16_t code, const std::function<void()>& beforeSend) {
  for (const Confirmation& c : Confirmations()) {
    if (c.code != code) continue;
    if (op.Ask(c.question) != c.sendingAnswer) return false;
    if (beforeSend) beforeSend();
    sender.SendCommandArgs(code, c.argB, 0);
    if (c.afterCaption != nullptr) op.Warning(c.afterCaption, c.afterText);
    return true;
  }
  return false;
}

}  // namespace ql
