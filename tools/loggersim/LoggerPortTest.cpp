// The simulated logger's side of the single port test: what it does with a test record,
// with the host's bytes and with its seconds while one of its ports is passed through.
#include <cmath>

#include "LoggerModel.h"
#include "common/Format.h"

namespace ql::sim {

void LoggerModel::EnterPortTest(const HostMessage& record) {
  if (!portTest_.Enter(record.bytes, line_)) return;
  Stop();
  line_ = portTest_.LinkLine();
  input_.SetBaud(line_.baud);
}

bool LoggerModel::PassedThrough(const HostMessage& message) {
  if (!portTest_.Active()) return false;
  const bool stop = (message.kind == HostMessage::Kind::Command && message.code == CmdStop) ||
                    (message.kind == HostMessage::Kind::Text && message.text != "WAKE" && message.text != "SLEEP");
  if (!stop) return true;  // it went to the instrument
  line_ = portTest_.Leave();
  input_.SetBaud(line_.baud);
  return false;
}

void LoggerModel::EchoToHost(const uint8_t* bytes, int count) {
  if (!portTest_.Active()) return;
  const std::vector<uint8_t> echo = PortTestMode::Echo(bytes, count);
  SendRaw(std::string(echo.begin(), echo.end()));
}

bool LoggerModel::PortTestSecond() {
  if (!portTest_.Active()) return false;
  ++samples_;
  if (portTest_.Port() <= 8) {
    SendRaw(PortText(portTest_.Port()));
    return true;
  }
  const StatusFields now = Status();
  std::string line;
  for (int c = 1; c <= 7; ++c) {
    line += Format("A%d=%5.3f ", c, now.analogMillivolts[static_cast<size_t>(c)] * 0.001);
  }
  SendRaw(line + "\r\n");
  return true;
}

void LoggerModel::SendRaw(const std::string& text) {
  if (faults_.silent) {
    counters_.silencedBytes += static_cast<int64_t>(text.size());
    return;
  }
  output_.insert(output_.end(), text.begin(), text.end());
  if (output_.size() > kOutputLimit) {
    output_.erase(output_.begin(), output_.end() - static_cast<std::ptrdiff_t>(kOutputLimit));
  }
}

}  // namespace ql::sim
