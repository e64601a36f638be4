#include "LoggerPortKeeper.h"

#include "archive/RecordState.h"
#include "cycle/HostState.h"
#include "cycle/LinkHealth.h"

namespace ql {

void LoggerPortKeeper::Second(HostState& host) {
  const LoggerPortControls& port = host.loggerPort;
  const bool chosen = port.lineIndex != kLineOff && !IsReplayState(host.recording.state);
  const int com = chosen ? port.comIndex : 0;
  if (com != keptCom_) {
    keeper_.Forget();
    keptCom_ = com;
  }
  if (com == 0) return;
  keeper_.Watch(host.receiver.Counters().totalInput, host.ports.IsPortOpen(PortTable::kLoggerSlot),
                host.pc.UtcMilliseconds(), [&host] { ReopenLoggerPort(host); });
}

}  // namespace ql
